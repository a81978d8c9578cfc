#include "game/Rules.h"

#include "game/GameState.h"
#include "game/Random.h"

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
    const size_t n = GameSettings.Spaces;
    const TCode& g = b.Guesses[b.CurrentRow];
    const TCode& s = b.SecretCode;
    Array1<bool, 5> guessUsed{}, secretUsed{};
    uint8_t red = 0, white = 0;

    for (size_t i = 1; i <= n; ++i)
        if (g[i] == s[i]) {
            ++red;
            guessUsed[i] = secretUsed[i] = true;
        }
    for (size_t i = 1; i <= n; ++i) {
        if (guessUsed[i]) continue;
        for (size_t j = 1; j <= n; ++j)
            if (!secretUsed[j] && g[i] == s[j]) {
                ++white;
                guessUsed[i] = secretUsed[j] = true;
                break;
            }
    }

    b.RowScores[b.CurrentRow] = TRowScore{white, red};
    Array1<uint8_t, 5>& pegs = b.PegMarks[b.CurrentRow];
    size_t k = 1;
    for (uint8_t w = 0; w < white; ++w) pegs[k++] = PegWhite;
    for (uint8_t r = 0; r < red; ++r) pegs[k++] = PegRed;
}
