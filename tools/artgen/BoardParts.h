// BoardParts: the pieces the board art units share among themselves: the
// ball, peg, button and toggle drawings that appear both on the board and
// on its sprite sheets, so the two always look the same.
#pragma once

#include <filesystem>

#include "ArtCommon.h"
#include "BoardGeometry.h"

namespace board {

// Folder of the main window's pictures under the resources folder.
std::filesystem::path MainDir(const std::filesystem::path& resourcesDir);

// The radius of the colour column's balls on the board (the hole balls
// are 12, the 24-pixel disc of their sprite).
constexpr double ColumnBallRadius = 13.2;

// A glossy ball of colour c (1..10), centred at (cx, cy).
void DrawBall(cairo_t* cr, int c, double cx, double cy, double radius);
// A red (red = true) or white answer peg.
void DrawPeg(cairo_t* cr, bool red, double cx, double cy);
// A hole filled in flush with the board, for the unused fifth column.
void DrawPlug(cairo_t* cr, double cx, double cy, double radius);
// The big ball or a bullet: steel when normal, copper when lit.
void DrawButtonBall(cairo_t* cr, double cx, double cy, double radius, bool lit);
// Toggle t (1 timer, 2 combinations) in its square: raised and off, or
// pressed in and on.
void DrawToggle(cairo_t* cr, int t, bool on);

// Black wherever any frame of the sheet has ink, white elsewhere.
art::Canvas MaskOf(const art::Canvas& sprite);
// Clears every 32 x 32 frame of a ten-ball sheet to black outside the one
// 24-pixel ball disc, so every ball sheet fits the ball mask exactly; the
// mask is returned.
art::Canvas KeepBallDiscs(art::Canvas& balls);

// The sprite pictures that stand on black (balls, note marks, digits).
void GenerateBoardSprites(const std::filesystem::path& mainDir);
// The balls with their engraved symbols: the hole sprites, and the
// engravings alone for the colour column with their masks.
void GenerateSymbolBalls(const std::filesystem::path& mainDir);
// The caption pictures, lettered over a copy of the board beneath them.
void GenerateCaptions(const art::Canvas& board, const std::filesystem::path& mainDir);

}  // namespace board
