#include "game/Solver.h"

#include "game/Random.h"

namespace {
// Static storage: allocated once with the program, never resized.
TCode BufferA[CandidateCapacity];
TCode BufferB[CandidateCapacity];

constexpr int MaxColor = 10;

// Four bits per colour, colour c in bits 4c..4c+3: a code's colour counts
// (at most 5 each) in one word, so the colour matches of two codes come out
// of a few word operations instead of a loop with branches.
constexpr uint64_t Nibbles(uint64_t n) { return n * 0x0111'1111'1111ULL; }  // n in every colour slot 0..10

uint64_t ColorHistogram(const TCode& code, size_t spaces) {
    uint64_t h = 0;
    for (size_t p = 1; p <= spaces; ++p) h += uint64_t{1} << (4 * (code[p] <= MaxColor ? code[p] : 0));
    return h;
}

// Sum over colours of the smaller of the two counts.
unsigned CommonColors(uint64_t a, uint64_t b) {
    // Per slot, (a + 8) - b keeps bit 3 exactly when a >= b (counts are < 8).
    const uint64_t ge = (((a | Nibbles(8)) - b) & Nibbles(8)) >> 3;
    const uint64_t mask = ge * 0xF;
    const uint64_t smaller = (b & mask) | (a & ~mask);
    const uint64_t bytes = (smaller & 0x0F0F'0F0F'0F0F'0F0FULL) + ((smaller >> 4) & 0x0F0F'0F0F'0F0F'0F0FULL);
    return static_cast<unsigned>((bytes * 0x0101'0101'0101'0101ULL) >> 56);
}

// The row the list is checked against: the one just evaluated, which is
// the row below the current one.
struct LatestRow {
    TCode Guess;
    uint8_t Red;
    uint8_t Pegs;  // red + white: balls of a right colour
    uint8_t ColorCount[MaxColor + 1] = {};
    uint64_t Histogram;

    LatestRow() {
        const size_t row = static_cast<size_t>(BoardState.CurrentRow) + 1;
        Guess = BoardState.Guesses[row];
        Red = BoardState.RowScores[row].RedCount;
        Pegs = static_cast<uint8_t>(Red + BoardState.RowScores[row].WhiteCount);
        for (size_t p = 1; p <= GameSettings.Spaces; ++p)
            if (Guess[p] <= MaxColor) ++ColorCount[Guess[p]];
        Histogram = ColorHistogram(Guess, GameSettings.Spaces);
    }

    // Same counts as CompareCodes against Guess, with the guess's side
    // worked out once for the whole pass.
    bool Consistent(const TCode& code) const {
        const size_t spaces = GameSettings.Spaces;
        unsigned red = 0;
        for (size_t p = 1; p <= spaces; ++p) red += code[p] == Guess[p];
        return red == Red && CommonColors(ColorHistogram(code, spaces), Histogram) == Pegs;
    }
};

// Depth-first enumeration that carries the red count and the colour
// matches of the partial code along, so every level costs O(1) and whole
// subtrees that can no longer match the answer are skipped.
class Enumerator {
public:
    explicit Enumerator(const LatestRow& row) : row_(row) {}

    void Run(TCode code, uint8_t filled) {
        for (int c = 0; c <= MaxColor; ++c) used_[c] = 0;
        unsigned red = 0, pegs = 0;
        for (size_t p = 1; p <= filled; ++p) {
            const uint8_t c = code[p];
            red += c == row_.Guess[p];
            pegs += used_[c] < row_.ColorCount[c];
            ++used_[c];
        }
        Descend(code, filled, red, pegs);
    }

private:
    void Descend(TCode& code, uint8_t filled, unsigned red, unsigned pegs) {
        const uint8_t spaces = GameSettings.Spaces < 5 ? GameSettings.Spaces : 5;
        if (filled >= spaces) {
            if (red == row_.Red && pegs == row_.Pegs && CandidateCount < CandidateCapacity)
                CandidateList[CandidateCount++] = code;
            return;
        }
        const size_t p = static_cast<size_t>(filled) + 1;
        const unsigned remaining = spaces - p;  // positions after this one
        for (uint8_t c = 1; c <= GameSettings.Colors; ++c) {
            if (!GameSettings.Doubles && used_[c] > 0) continue;
            const unsigned r = red + (c == row_.Guess[p]);
            const unsigned m = pegs + (used_[c] < row_.ColorCount[c]);
            // Reds and colour matches only grow, by at most one a position.
            if (r > row_.Red || m > row_.Pegs) continue;
            if (r + remaining < row_.Red || m + remaining < row_.Pegs) continue;
            code[p] = c;
            ++used_[c];
            Descend(code, static_cast<uint8_t>(p), r, m);
            --used_[c];
        }
        code[p] = 0;
    }

    const LatestRow& row_;
    uint8_t used_[MaxColor + 1] = {};
};

void PickHint() {
    if (CandidateCount < 1) {  // cannot happen with honest answers; never spin
        LastHint = 0;
        return;
    }
    int32_t b;
    do {
        b = Random(CandidateCount) + 1;
    } while (b == LastHint && CandidateCount != 1);
    LastHint = b;
}
}  // namespace

TCode* CandidateList = BufferA;
TCode* SpareList = BufferB;
int32_t CandidateCount = 0;
int32_t LastHint = 0;

TCode& CandidateSlot(int32_t k) { return CandidateList[k - 1]; }

TRowScore CompareCodes(TCode a, TCode b) {
    uint8_t inA[MaxColor + 1] = {}, inB[MaxColor + 1] = {};
    TRowScore score;
    for (size_t p = 1; p <= GameSettings.Spaces; ++p) {
        if (a[p] == b[p]) ++score.RedCount;
        ++inA[a[p] <= MaxColor ? a[p] : 0];
        ++inB[b[p] <= MaxColor ? b[p] : 0];
    }
    unsigned pegs = 0;
    for (int c = 1; c <= MaxColor; ++c) pegs += inA[c] < inB[c] ? inA[c] : inB[c];
    score.WhiteCount = static_cast<uint8_t>(pegs - score.RedCount);
    return score;
}

void EnumerateCodes(TCode code, uint8_t filled) {
    const LatestRow row;
    Enumerator(row).Run(code, filled);
}

void BuildCandidates() {
    CandidateCount = 0;
    EnumerateCodes(TCode{}, 0);
}

void FilterCandidates() {
    TCode* const previous = CandidateList;
    CandidateList = SpareList;
    SpareList = previous;
    const int32_t n = CandidateCount;
    CandidateCount = 0;
    const LatestRow row;
    for (int32_t k = 0; k < n; ++k)
        if (row.Consistent(SpareList[k])) CandidateList[CandidateCount++] = SpareList[k];
}

void UpdateCandidates() {
    const uint8_t row = BoardState.CurrentRow;
    if (row == 12) {
        TCode opening;
        for (size_t p = 1; p <= 5; ++p) opening[p] = static_cast<uint8_t>(p);
        CandidateSlot(1) = opening;
        LastHint = 1;
        return;
    }
    if (row < 1 || row > 11) return;  // no game goes on: nothing to narrow
    if (row == 11)
        BuildCandidates();
    else
        FilterCandidates();
    PickHint();
}

void ResetCandidates() {
    const int32_t colors = GameSettings.Colors, spaces = GameSettings.Spaces;
    CandidateCount = GameSettings.Doubles ? IntPower(colors, spaces)
                                          : Factorial(colors) / Factorial(colors - spaces);
    LastHint = 0;
    UpdateCandidates();
}

int32_t IntPower(int32_t base, int32_t exponent) {
    int32_t result = 1;
    for (int32_t i = 0; i < exponent; ++i) result *= base;
    return result;
}

int32_t Factorial(int32_t n) {
    int32_t result = 1;
    for (int32_t i = 2; i <= n; ++i) result *= i;
    return result;
}

void ResetSolverState() {
    CandidateList = BufferA;
    SpareList = BufferB;
    CandidateCount = 0;
    LastHint = 0;
}
