#include "game/Rules.h"

#include "game/GameState.h"
#include "game/Random.h"
#include "game/Solver.h"

void GenerateSecret() {
    TBoardState& b = BoardState;
    for (size_t r = 1; r <= 12; ++r) {
        b.Guesses[r].Fill(0);
        b.PegMarks[r].Fill(PegNone);
        b.RowScores[r] = TRowScore{};
    }
    const int32_t colors = GameSettings.Colors;
    for (size_t p = 1; p <= 5; ++p) {
        uint8_t c;
        bool taken;
        do {
            c = static_cast<uint8_t>(Random(colors) + 1);
            taken = false;
            if (!GameSettings.Doubles)
                for (size_t q = 1; q < p; ++q) taken = taken || b.SecretCode[q] == c;
        } while (taken);
        b.SecretCode[p] = c;
    }
}

bool RowComplete() {
    const TBoardState& b = BoardState;
    if (b.CurrentRow < 1 || b.CurrentRow > 12) return false;
    for (size_t p = 1; p <= GameSettings.Spaces; ++p)
        if (b.Guesses[b.CurrentRow][p] == 0) return false;
    return true;
}

void ScoreRow() {
    TBoardState& b = BoardState;
    if (b.CurrentRow < 1 || b.CurrentRow > 12) return;
    const TRowScore score = CompareCodes(b.Guesses[b.CurrentRow], b.SecretCode);
    b.RowScores[b.CurrentRow] = score;
    // Whites first, then reds; the rest of the row keeps the new game's 0.
    Array1<uint8_t, 5>& pegs = b.PegMarks[b.CurrentRow];
    size_t k = 1;
    for (uint8_t w = 0; w < score.WhiteCount; ++w) pegs[k++] = PegWhite;
    for (uint8_t r = 0; r < score.RedCount; ++r) pegs[k++] = PegRed;
}
