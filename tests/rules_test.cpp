#include "game/Rules.h"

#include "GameFixture.h"

class RulesTest : public GameTest {
protected:
    // Scores `guess` against `secret` on the current row and returns the pegs.
    static std::string Score(const std::string& secret, const std::string& guess) {
        BoardState.SecretCode = Code(secret);
        BoardState.CurrentRow = 7;
        BoardState.Guesses[7] = Code(guess);
        ScoreRow();
        std::string pegs;
        for (size_t k = 1; k <= 5; ++k) pegs += static_cast<char>('0' + BoardState.PegMarks[7][k]);
        return pegs;
    }
};

TEST_F(RulesTest, ScoreRowCountsRedsThenWhitesAndLaysWhitePegsFirst) {
    Configure(4, 8, true);
    EXPECT_EQ(Score("1123", "1211"), "11200");
    EXPECT_EQ(BoardState.RowScores[7], (TRowScore{2, 1}));
    EXPECT_EQ(Score("4561", "1456"), "11110");
    EXPECT_EQ(BoardState.RowScores[7], (TRowScore{4, 0}));
}

TEST_F(RulesTest, ExactGuessIgnoresTheFifthSecretColourWithFourSpaces) {
    Configure(4, 8, false);
    EXPECT_EQ(Score("12347", "12348"), "22220");
    EXPECT_EQ(BoardState.RowScores[7], (TRowScore{0, 4}));
    Configure(5, 8, false);
    EXPECT_EQ(Score("12347", "12347"), "22222");
}

TEST_F(RulesTest, NoSharedColourLeavesTheRowWithoutPegs) {
    Configure(4, 8, false);
    EXPECT_EQ(Score("1234", "5678"), "00000");
    EXPECT_EQ(BoardState.RowScores[7], (TRowScore{0, 0}));
}

TEST_F(RulesTest, RowCompleteLooksOnlyAtPositionsInPlay) {
    Configure(4, 8, false);
    BoardState.CurrentRow = 12;
    BoardState.Guesses[12] = Code("123");
    EXPECT_FALSE(RowComplete());
    BoardState.Guesses[12] = Code("1234");
    EXPECT_TRUE(RowComplete());  // position 5 empty
    Configure(5, 8, false);
    EXPECT_FALSE(RowComplete());
    BoardState.CurrentRow = 0;   // after a lost game no row is current
    BoardState.Guesses[12] = Code("12345");
    EXPECT_FALSE(RowComplete());
}

TEST_F(RulesTest, GenerateSecretClearsTheBoardAndDrawsFiveColours) {
    for (int colors : {6, 8, 10})
        for (bool doubles : {false, true}) {
            Configure(4, colors, doubles);
            for (int round = 0; round < 300; ++round) {
                BoardState.Guesses[3] = Code("12345");
                BoardState.PegMarks[3][1] = PegRed;
                BoardState.RowScores[3] = TRowScore{1, 2};
                BoardState.ColorMarks[2] = MarkRing;
                GenerateSecret();
                EXPECT_EQ(BoardState.Guesses[3], TCode{});
                EXPECT_EQ(BoardState.PegMarks[3][1], PegNone);
                EXPECT_EQ(BoardState.RowScores[3], TRowScore{});
                EXPECT_EQ(BoardState.ColorMarks[2], MarkRing);  // notes are the flow's business
                const TCode& s = BoardState.SecretCode;
                for (size_t p = 1; p <= 5; ++p) {
                    ASSERT_GE(s[p], 1);
                    ASSERT_LE(s[p], colors);
                    if (!doubles) {
                        for (size_t q = 1; q < p; ++q) ASSERT_NE(s[p], s[q]) << "repeated colour without doubles";
                    }
                }
            }
        }
}

TEST_F(RulesTest, SecretColoursAreUniform) {
    // 6000 draws of 6 colours: each colour's share of position 1 stays
    // within a wide band around 1000 (about 6 standard deviations).
    Configure(4, 6, true);
    int seen[7] = {};
    for (int i = 0; i < 6000; ++i) {
        GenerateSecret();
        ++seen[BoardState.SecretCode[1]];
    }
    for (int c = 1; c <= 6; ++c) {
        EXPECT_GT(seen[c], 820) << c;
        EXPECT_LT(seen[c], 1180) << c;
    }
}
