// KeptGame: the game in progress as one line of text, for a home that may
// end the program without asking (a browser page is reloaded, discarded or
// left), so the next start can go on with the same game.
//
// The text holds the game's settings, the secret, every row, the colour
// notes, the current row, the seconds so far and whether a hint was used.
// The secret is scrambled as the record table is, never written plainly.
// Pegs and the candidate set are not stored: they follow from the secret
// and the rows, so a continued game is scored exactly as it was played.
#pragma once

#include <string>

// The game in progress, or the empty text when there is nothing to go on
// with: a game that is over, or one with no ball placed yet.
std::string KeepGame();

// Puts the kept game back into the shared state: the settings it was played
// at, the board, the pegs of every evaluated row, the candidate set as those
// rows left it, the seconds so far. A text that is damaged or describes a
// game no play could reach is refused, and the state is left as it was.
bool ContinueGame(const std::string& text);
