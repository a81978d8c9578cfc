// Narration: what the board shows, in words, for a player who cannot see
// it (the page hands them to a screen reader). Colours by their names
// (ColourNames.h); guesses counted from the first, as a player counts them.
#pragma once

#include <cstdint>
#include <string>

// "Guess 2: red, blue, green, grey. 1 red peg, 2 white pegs." for the
// evaluated `row`.
std::string RowWords(uint8_t row);
// "1 code possible." / "120 codes possible."
std::string CountWords(int32_t count);
// A ball typed into or taken out of hole `position` of the current row.
std::string HoleWords(uint8_t colour, uint8_t position);
// The game just started, at the current settings.
std::string NewGameWords();
