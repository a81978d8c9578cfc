#include "game/KeptGame.h"

#include <charconv>
#include <cstring>
#include <vector>

#include "game/GameState.h"
#include "game/RecordCodec.h"
#include "game/Rules.h"
#include "game/Solver.h"
#include "game/Statistics.h"

namespace {

// Fields, separated by '|': version, spaces, colours, doubles, current row,
// seconds, hint used, twelve note marks, twelve rows of five holes, the
// scrambled secret. A colour is one character, 0-9 and A for ten.
constexpr const char* Version = "QK1";

char ColourChar(uint8_t c) { return c == 10 ? 'A' : char('0' + c); }
int ColourValue(char c) {
    if (c == 'A') return 10;
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == '|')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

bool Number(const std::string& s, int lo, int hi, int& out) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc{} && end == s.data() + s.size() && !s.empty() && out >= lo && out <= hi;
}

bool AnyBallPlaced(const TBoardState& b) {
    for (size_t r = 1; r <= 12; ++r)
        for (size_t p = 1; p <= 5; ++p)
            if (b.Guesses[r][p] != 0) return true;
    return false;
}

// A code the game could have hidden at these settings.
bool PossibleSecret(const TCode& secret, int spaces, int colors, bool doubles) {
    for (int p = 1; p <= spaces; ++p) {
        const int c = secret[size_t(p)];
        if (c < 1 || c > colors) return false;
        if (!doubles)
            for (int q = 1; q < p; ++q)
                if (secret[size_t(q)] == c) return false;
    }
    return true;
}

}  // namespace

std::string KeepGame() {
    const TBoardState& b = BoardState;
    const TGameSettings& s = GameSettings;
    if (!b.GameActive || b.CurrentRow < 1 || b.CurrentRow > 12 || !AnyBallPlaced(b)) return {};
    std::string text = Version;
    text += '|' + std::to_string(s.Spaces) + '|' + std::to_string(s.Colors) + '|' + (s.Doubles ? "1" : "0");
    text += '|' + std::to_string(b.CurrentRow) + '|' + std::to_string(b.ElapsedTime) + '|' + (b.HintUsed ? "1" : "0");
    text += '|';
    for (size_t c = 1; c <= 12; ++c) text += char('0' + b.ColorMarks[c] % 3);
    text += '|';
    for (size_t r = 1; r <= 12; ++r)
        for (size_t p = 1; p <= 5; ++p) text += ColourChar(b.Guesses[r][p] <= 10 ? b.Guesses[r][p] : 0);
    std::string secret(5, '\0');
    for (size_t p = 1; p <= 5; ++p) secret[p - 1] = char(b.SecretCode[p]);
    text += '|' + BytesToHex(ScrambleText(secret));
    return text;
}

bool ContinueGame(const std::string& text) {
    const std::vector<std::string> f = Split(text);
    if (f.size() != 10 || f[0] != Version) return false;
    int spaces = 0, colors = 0, doubles = 0, row = 0, seconds = 0, hint = 0;
    if (!Number(f[1], 4, 5, spaces) || !Number(f[2], 6, 10, colors) || colors % 2 != 0 ||
        !Number(f[3], 0, 1, doubles) || !Number(f[4], 1, 12, row) || !Number(f[5], 0, MaxElapsedTime, seconds) ||
        !Number(f[6], 0, 1, hint))
        return false;
    if (f[7].size() != 12 || f[8].size() != 60 || f[9].size() != 10) return false;

    TBoardState b;
    for (size_t c = 1; c <= 12; ++c) {
        const int mark = f[7][c - 1] - '0';
        // Only colours in play carry a note.
        if (mark < 0 || mark > 2 || (mark != 0 && int(c) > colors)) return false;
        b.ColorMarks[c] = uint8_t(mark);
    }
    for (size_t r = 1; r <= 12; ++r)
        for (size_t p = 1; p <= 5; ++p) {
            const int c = ColourValue(f[8][(r - 1) * 5 + p - 1]);
            // A hole in play holds a colour in play; the fifth hole of a
            // four-hole game carries whatever a hint put there.
            if (c < 0 || (int(p) <= spaces && c > colors)) return false;
            b.Guesses[r][p] = uint8_t(c);
        }
    for (size_t r = 1; r <= 12; ++r) {
        // Rows above the current one are still empty; those below it were
        // evaluated, so every hole in play of them holds a ball.
        for (size_t p = 1; p <= size_t(spaces); ++p) {
            const bool filled = b.Guesses[r][p] != 0;
            if ((int(r) < row && filled) || (int(r) > row && !filled)) return false;
        }
        if (int(r) < row)
            for (size_t p = size_t(spaces) + 1; p <= 5; ++p)
                if (b.Guesses[r][p] != 0) return false;
    }
    for (char c : f[9])
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    const std::string secret = UnscrambleText(HexToBytes(f[9]));
    for (size_t p = 1; p <= 5; ++p) b.SecretCode[p] = uint8_t(secret[p - 1]);
    if (!PossibleSecret(b.SecretCode, spaces, colors, doubles != 0)) return false;

    // A row that found the code would have ended the game.
    for (int r = 12; r > row; --r) {
        int red = 0;
        for (size_t p = 1; p <= size_t(spaces); ++p) red += b.Guesses[size_t(r)][p] == b.SecretCode[p];
        if (red == spaces) return false;
    }

    // Scored again row by row, as play scored them, and the candidates
    // narrowed the same way.
    TGameSettings& s = GameSettings;
    s.Spaces = uint8_t(spaces);
    s.Colors = uint8_t(colors);
    s.Doubles = doubles != 0;
    BoardState = b;
    BoardState.GameActive = true;
    BoardState.CurrentRow = 12;
    ResetCandidates();
    for (int r = 12; r > row; --r) {
        ScoreRow();
        --BoardState.CurrentRow;
        UpdateCandidates();
    }
    BoardState.HintUsed = hint != 0;
    BoardState.ElapsedTime = seconds;
    // Counted, when it ends, at the settings it was played at.
    BoardState.PlayedSetting = uint8_t(StatsEntry(spaces, colors, doubles != 0));
    return true;
}
