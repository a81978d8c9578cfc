// Benchmarks of the candidate set: building the list from the first row
// and narrowing it with a later one.
#include <benchmark/benchmark.h>

#include <utility>

#include "game/GameState.h"
#include "game/Random.h"
#include "game/Solver.h"

namespace {
void Setup(int spaces, int colors, bool doubles) {
    ResetGameState();
    SeedRandom(7);
    GameSettings.Spaces = static_cast<uint8_t>(spaces);
    GameSettings.Colors = static_cast<uint8_t>(colors);
    GameSettings.Doubles = doubles;
    BoardState.CurrentRow = 12;
    ResetCandidates();
}

// Puts `guess` with its answer on the current row and moves up one row.
void Evaluate(const char* guess, int red, int white) {
    const uint8_t row = BoardState.CurrentRow;
    for (size_t p = 1; p <= 5 && guess[p - 1]; ++p)
        BoardState.Guesses[row][p] = static_cast<uint8_t>(guess[p - 1] == '0' ? 10 : guess[p - 1] - '0');
    BoardState.RowScores[row] = TRowScore{static_cast<uint8_t>(white), static_cast<uint8_t>(red)};
    BoardState.CurrentRow = static_cast<uint8_t>(row - 1);
}

// Five of ten colours with repeats, a row of one colour answered with no
// peg: 59049 codes survive, the largest first-row set of any setting.
void BM_WorstFirstRow(benchmark::State& state) {
    Setup(5, 10, true);
    Evaluate("11111", 0, 0);
    for (auto _ : state) {
        BuildCandidates();
        benchmark::DoNotOptimize(CandidateCount);
    }
    state.counters["codes"] = CandidateCount;
}
BENCHMARK(BM_WorstFirstRow)->Unit(benchmark::kMicrosecond);

// For comparison: the same first row answered by scoring every code of
// the space with CompareCodes, the plain way of building the list.
void BM_WorstFirstRowByFullScan(benchmark::State& state) {
    Setup(5, 10, true);
    TCode guess;
    for (size_t p = 1; p <= 5; ++p) guess[p] = 1;
    int32_t kept = 0;
    for (auto _ : state) {
        kept = 0;
        TCode code;
        for (int index = 0; index < 100000; ++index) {
            int rest = index;
            for (size_t p = 5; p >= 1; --p, rest /= 10) code[p] = static_cast<uint8_t>(rest % 10 + 1);
            const TRowScore score = CompareCodes(code, guess);
            if (score.RedCount == 0 && score.WhiteCount == 0) CandidateList[kept++] = code;
        }
        benchmark::DoNotOptimize(kept);
    }
    state.counters["codes"] = kept;
}
BENCHMARK(BM_WorstFirstRowByFullScan)->Unit(benchmark::kMicrosecond);

// The default-like setting with a row that shares two colours with the secret.
void BM_TypicalFirstRow(benchmark::State& state) {
    Setup(4, 8, true);
    Evaluate("1123", 1, 1);
    for (auto _ : state) {
        BuildCandidates();
        benchmark::DoNotOptimize(CandidateCount);
    }
    state.counters["codes"] = CandidateCount;
}
BENCHMARK(BM_TypicalFirstRow)->Unit(benchmark::kMicrosecond);

// A second row narrowing the 59049 codes of the worst first row.
void BM_NarrowingPass(benchmark::State& state) {
    Setup(5, 10, true);
    Evaluate("11111", 0, 0);
    BuildCandidates();
    Evaluate("23456", 1, 2);
    const int32_t before = CandidateCount;
    for (auto _ : state) {
        FilterCandidates();
        benchmark::DoNotOptimize(CandidateCount);
        // The pass left the previous list untouched in the spare buffer:
        // trade back for the next round.
        std::swap(CandidateList, SpareList);
        CandidateCount = before;
    }
    state.counters["codes"] = before;
}
BENCHMARK(BM_NarrowingPass)->Unit(benchmark::kMicrosecond);

void BM_CompareCodes(benchmark::State& state) {
    Setup(5, 10, true);
    TCode a, b;
    for (size_t p = 1; p <= 5; ++p) {
        a[p] = static_cast<uint8_t>(Random(10) + 1);
        b[p] = static_cast<uint8_t>(Random(10) + 1);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(CompareCodes(a, b));
    }
}
BENCHMARK(BM_CompareCodes);
}  // namespace
