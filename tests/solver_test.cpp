#include "game/Solver.h"

#include <vector>

#include "GameFixture.h"
#include "game/Rules.h"

class SolverTest : public GameTest {
protected:
    // A new game as the flow starts it.
    static void NewGame() {
        BoardState.CurrentRow = 12;
        ResetCandidates();
    }

    // Evaluates `guess` on the current row with the given answer, moves up
    // and narrows, as the flow does when the game goes on.
    static void Answer(const std::string& guess, int red, int white) {
        const uint8_t row = BoardState.CurrentRow;
        BoardState.Guesses[row] = Code(guess);
        BoardState.RowScores[row] = TRowScore{static_cast<uint8_t>(white), static_cast<uint8_t>(red)};
        BoardState.CurrentRow = static_cast<uint8_t>(row - 1);
        UpdateCandidates();
    }

    static std::vector<std::string> List() {
        std::vector<std::string> out;
        for (int32_t k = 1; k <= CandidateCount; ++k) out.push_back(Digits(CandidateSlot(k), GameSettings.Spaces));
        return out;
    }

    // Every code of the space, in lexicographic order, that the predicate keeps.
    template <typename Keep>
    static std::vector<std::string> BruteForce(Keep keep) {
        std::vector<std::string> out;
        const int n = GameSettings.Spaces, colors = GameSettings.Colors;
        int total = 1;
        for (int i = 0; i < n; ++i) total *= colors;
        for (int index = 0; index < total; ++index) {
            TCode code{};
            int rest = index;
            bool distinct = true;
            for (int p = n; p >= 1; --p) {
                code[static_cast<size_t>(p)] = static_cast<uint8_t>(rest % colors + 1);
                rest /= colors;
            }
            for (int p = 1; p <= n; ++p)
                for (int q = 1; q < p; ++q) distinct = distinct && code[static_cast<size_t>(p)] != code[static_cast<size_t>(q)];
            if ((GameSettings.Doubles || distinct) && keep(code)) out.push_back(Digits(code, n));
        }
        return out;
    }
};

TEST_F(SolverTest, NewGameCountsTheWholeSpaceAndOffersTheOpening) {
    const int32_t expected[2][3][2] = {{{360, 1296}, {1680, 4096}, {5040, 10000}},
                                       {{720, 7776}, {6720, 32768}, {30240, 100000}}};
    for (int spaces : {4, 5})
        for (int ci = 0; ci < 3; ++ci)
            for (int doubles : {0, 1}) {
                Configure(spaces, 6 + 2 * ci, doubles);
                NewGame();
                EXPECT_EQ(CandidateCount, expected[spaces - 4][ci][doubles]);
                EXPECT_EQ(LastHint, 1);
                EXPECT_EQ(CandidateSlot(1), Code("12345"));
            }
}

TEST_F(SolverTest, FirstRowsFromTheCatalogue) {
    Configure(4, 6, false);
    NewGame();
    Answer("1234", 0, 4);
    EXPECT_EQ(List(), (std::vector<std::string>{"2143", "2341", "2413", "3142", "3412", "3421", "4123", "4312", "4321"}));
    EXPECT_NE(LastHint, 1);  // the opening left slot 1 as the last pick

    Configure(4, 8, false);
    NewGame();
    Answer("1234", 0, 0);
    ASSERT_EQ(CandidateCount, 24);
    EXPECT_EQ(List().front(), "5678");
    EXPECT_EQ(List().back(), "8765");

    for (bool doubles : {false, true}) {
        Configure(5, 6, doubles);
        NewGame();
        Answer("12345", 0, 5);
        ASSERT_EQ(CandidateCount, 44) << doubles;
        EXPECT_EQ(List().front(), "21453");
    }

    Configure(4, 6, true);
    NewGame();
    Answer("1122", 1, 0);
    ASSERT_EQ(CandidateCount, 256);
    EXPECT_EQ(List().front(), "1333");
}

TEST_F(SolverTest, LargestFirstRowsKeepTheTrueSet) {
    // Five positions of ten colours with repeats: sets larger than the
    // buffers of the original design must come out whole.
    Configure(5, 10, true);
    struct Case { const char* guess; int red, white; int32_t count; const char* first; const char* last; };
    for (const Case& c : {Case{"11111", 0, 0, 59049, "22222", "00000"},
                          Case{"11111", 1, 0, 32805, "12222", "00001"},
                          Case{"11222", 0, 0, 32768, "33333", "00000"}}) {
        NewGame();
        Answer(c.guess, c.red, c.white);
        ASSERT_EQ(CandidateCount, c.count) << c.guess;
        EXPECT_EQ(Digits(CandidateSlot(1), 5), c.first);
        EXPECT_EQ(Digits(CandidateSlot(CandidateCount), 5), c.last);
        ASSERT_GE(LastHint, 2);
        ASSERT_LE(LastHint, CandidateCount);
        EXPECT_EQ(CompareCodes(CandidateSlot(LastHint), Code(c.guess)), (TRowScore{0, static_cast<uint8_t>(c.red)}));
    }
}

TEST_F(SolverTest, BuildAndFilterMatchABruteForceScan) {
    // Random answers that some secret gives, for every setting: the list is
    // exactly the codes of the space consistent with every row so far.
    for (int spaces : {4, 5})
        for (int colors : {6, 8, 10})
            for (bool doubles : {false, true}) {
                Configure(spaces, colors, doubles);
                GenerateSecret();
                const TCode secret = BoardState.SecretCode;
                NewGame();
                std::vector<std::pair<TCode, TRowScore>> rows;
                for (int turn = 0; turn < 3 && CandidateCount > 1; ++turn) {
                    // Guesses from the list after the first row, random before.
                    TCode guess = turn == 0 ? TCode{} : CandidateSlot(LastHint);
                    if (turn == 0)
                        for (size_t p = 1; p <= 5; ++p) guess[p] = static_cast<uint8_t>(Random(colors) + 1);
                    const TRowScore score = CompareCodes(secret, guess);
                    rows.push_back({guess, score});
                    Answer(Digits(guess, spaces), score.RedCount, score.WhiteCount);
                    const auto expected = BruteForce([&](const TCode& code) {
                        for (const auto& [g, s] : rows)
                            if (CompareCodes(code, g) != s) return false;
                        return true;
                    });
                    ASSERT_EQ(List(), expected) << spaces << "/" << colors << "/" << doubles << " turn " << turn;
                }
            }
}

TEST_F(SolverTest, ScoreRowAndCompareCodesAgreeAndTheSecretSurvivesEveryRow) {
    for (int game = 0; game < 240; ++game) {
        const int spaces = 4 + game % 2, colors = 6 + 2 * (game / 2 % 3);
        Configure(spaces, colors, game / 6 % 2 == 1);
        GenerateSecret();
        NewGame();
        for (uint8_t row = 12; row >= 1; --row) {
            TCode guess{};
            for (size_t p = 1; p <= 5; ++p) guess[p] = static_cast<uint8_t>(Random(colors) + 1);
            BoardState.Guesses[row] = guess;
            ScoreRow();
            const TRowScore scored = BoardState.RowScores[row];
            EXPECT_EQ(CompareCodes(BoardState.SecretCode, guess), scored);
            EXPECT_EQ(CompareCodes(guess, BoardState.SecretCode), scored);
            if (scored.RedCount == spaces || row == 1) break;
            BoardState.CurrentRow = static_cast<uint8_t>(row - 1);
            UpdateCandidates();
            bool found = false;
            for (int32_t k = 1; k <= CandidateCount && !found; ++k)
                found = CompareCodes(CandidateSlot(k), BoardState.SecretCode).RedCount == spaces;
            ASSERT_TRUE(found) << "secret lost after row " << int(row) << " in game " << game;
        }
    }
}

TEST_F(SolverTest, HintPicksNeverRepeatTheSlotAndSettleOnTheLastCode) {
    Configure(4, 6, false);
    NewGame();
    Answer("1234", 0, 4);  // nine codes left
    int32_t previous = LastHint;
    for (int i = 0; i < 50; ++i) {
        UpdateCandidates();  // a hint asked for again on the same row
        EXPECT_EQ(CandidateCount, 9);
        EXPECT_NE(LastHint, previous);
        previous = LastHint;
    }
    Answer("2143", 0, 4);   // narrows to the codes that share no place with 2143 either
    Answer("3412", 0, 4);
    ASSERT_EQ(List(), (std::vector<std::string>{"4321"}));
    for (int i = 0; i < 3; ++i) {
        UpdateCandidates();
        EXPECT_EQ(LastHint, 1);
    }
}

TEST_F(SolverTest, FilteringTwiceAgainstTheSameRowKeepsCodesAndOrder) {
    Configure(4, 8, true);
    NewGame();
    Answer("1123", 1, 1);
    Answer("4456", 0, 1);
    const auto once = List();
    const TCode* list = CandidateList;
    BoardState.CurrentRow = 10;  // row 11 is the latest again
    FilterCandidates();
    EXPECT_EQ(List(), once);
    EXPECT_NE(CandidateList, list);  // the buffers traded places
}

TEST_F(SolverTest, ArithmeticHelpers) {
    EXPECT_EQ(IntPower(10, 5), 100000);
    EXPECT_EQ(IntPower(7, 0), 1);
    EXPECT_EQ(IntPower(7, -2), 1);
    EXPECT_EQ(Factorial(10), 3628800);
    EXPECT_EQ(Factorial(1), 1);
    EXPECT_EQ(Factorial(-3), 1);
}

TEST_F(SolverTest, NothingIsNarrowedWhenNoRowIsCurrent) {
    Configure(4, 6, false);
    NewGame();
    BoardState.CurrentRow = 0;  // a lost game
    UpdateCandidates();
    EXPECT_EQ(CandidateCount, 360);
    EXPECT_EQ(LastHint, 1);
}
