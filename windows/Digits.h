// Digits: the one routine that draws digit texts (the timer, combinations
// and high-score displays) with the 12 x 19 glyphs of the board's digit
// strip. It takes the strip (main/imgDigits) from the application's
// pictures itself, so the side windows need no board window to draw.
#pragma once

#include <string>
#include <string_view>

#include "game/GameState.h"
#include "resources/ScaledPicture.h"
#include "util/Bitmap.h"

// The glyph cell of a character: '1'..'9' cells 0..8, '0' cell 9, '/' 11,
// '-' 12, everything else (the blank included) the blank cell 10.
int DigitCell(char ch);

// Draws one glyph cell per character into canvas, the first with its
// top-left corner at (x, y), each next one 12 pixels further right, from
// the strip at the pictures' scale (the canvas's own).
void DrawDigits(PictureCache& pictures, Bitmap& canvas, int x, int y, std::string_view text);

// A record as the timer and high-score windows show it, six characters:
// rows in two, "/", seconds in three with zeros (" 5/042"); six blanks when
// there is no record, so drawing it wipes the one shown before.
std::string RecordDigits(const HighScoreEntry& record);
