#include "game/Narration.h"

#include "game/ColourNames.h"
#include "game/GameState.h"

namespace {

std::string Counted(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string RowWords(uint8_t row) {
    if (row < 1 || row > 12) return {};
    const TBoardState& b = BoardState;
    std::string words = "Guess " + std::to_string(13 - row) + ":";
    for (int p = 1; p <= GameSettings.Spaces; ++p)
        words += std::string(p == 1 ? " " : ", ") + ColourName(b.Guesses[size_t(row)][size_t(p)]);
    const TRowScore& score = b.RowScores[size_t(row)];
    return words + ". " + Counted(score.RedCount, "red peg", "red pegs") + ", " +
           Counted(score.WhiteCount, "white peg", "white pegs") + ".";
}

std::string CountWords(int32_t count) { return Counted(count, "code possible.", "codes possible."); }

std::string HoleWords(uint8_t colour, uint8_t position) {
    const std::string hole = "Hole " + std::to_string(position);
    return colour == 0 ? hole + " emptied." : hole + ": " + ColourName(colour) + ".";
}

std::string NewGameWords() {
    const TGameSettings& s = GameSettings;
    return "New game: " + std::to_string(s.Spaces) + " holes, " + std::to_string(s.Colors) + " colours, " +
           (s.Doubles ? "colours may repeat." : "no colour twice.");
}
