#include "game/Flow.h"

#include "GameFixture.h"
#include "game/Solver.h"

class FlowTest : public GameTest {
protected:
    // A game in progress on `row` whose secret is `secret`, with the row
    // holding `guess`.
    static void Playing(uint8_t row, const std::string& secret, const std::string& guess) {
        StartGame();
        BoardState.SecretCode = Code(secret);
        BoardState.CurrentRow = row;
        BoardState.Guesses[row] = Code(guess);
    }
    static HighScoreEntry Entry(int rows, int seconds) {
        HighScoreEntry e;
        e.RecordRows = static_cast<uint8_t>(rows);
        e.RecordSeconds = static_cast<int16_t>(seconds);
        return e;
    }
};

TEST_F(FlowTest, BeatsRecordWantsFewerRowsOrLessTimeAndKeepsATie) {
    EXPECT_TRUE(BeatsRecord(12, 999, Entry(0, 0)));  // no record yet
    EXPECT_TRUE(BeatsRecord(3, 900, Entry(4, 10)));
    EXPECT_FALSE(BeatsRecord(5, 1, Entry(4, 10)));
    EXPECT_TRUE(BeatsRecord(4, 9, Entry(4, 10)));
    EXPECT_FALSE(BeatsRecord(4, 10, Entry(4, 10)));  // the old record stands
    EXPECT_FALSE(BeatsRecord(4, 11, Entry(4, 10)));
}

TEST_F(FlowTest, StartGameResetsEveryValueOfTheGame) {
    Configure(5, 10, true);
    BoardState.GameActive = false;
    BoardState.CurrentRow = 0;
    BoardState.HintUsed = true;
    BoardState.ElapsedTime = 321;
    BoardState.ColorMarks[4] = MarkRing;
    BoardState.Guesses[7] = Code("12345");
    CandidateCount = 17;
    StartGame();
    EXPECT_TRUE(BoardState.GameActive);
    EXPECT_EQ(BoardState.CurrentRow, 12);
    EXPECT_FALSE(BoardState.HintUsed);
    EXPECT_EQ(BoardState.ElapsedTime, 0);
    EXPECT_EQ(BoardState.ColorMarks[4], MarkNone);
    EXPECT_EQ(BoardState.Guesses[7], TCode{});
    EXPECT_EQ(CandidateCount, 100000);
    EXPECT_EQ(CandidateSlot(LastHint), Code("12345"));
}

TEST_F(FlowTest, RefusedEvaluationsScoreNothingAndKeepTheRow) {
    Configure(4, 8, false);
    Playing(12, "1234", "123");
    const RowEvaluation notFull = EvaluateRow();
    EXPECT_EQ(notFull.End, RowEnd::RowNotFull);
    EXPECT_FALSE(notFull.Scored());
    EXPECT_FALSE(notFull.GameOver());
    EXPECT_EQ(BoardState.CurrentRow, 12);
    EXPECT_EQ(BoardState.PegMarks[12][1], PegNone);

    BoardState.Guesses[12] = Code("1235");
    BoardState.GameActive = false;
    const RowEvaluation noGame = EvaluateRow();
    EXPECT_EQ(noGame.End, RowEnd::NoGame);
    EXPECT_FALSE(noGame.Scored());
    EXPECT_EQ(BoardState.RowScores[12], TRowScore{});
}

TEST_F(FlowTest, AMissedRowMovesUpAndNarrowsTheCandidates) {
    Configure(4, 6, false);
    Playing(12, "1234", "1256");
    const RowEvaluation r = EvaluateRow();
    EXPECT_EQ(r.End, RowEnd::NextRow);
    EXPECT_EQ(r.Row, 12);
    EXPECT_FALSE(r.GameOver());
    EXPECT_FALSE(r.StopsTimer());
    EXPECT_EQ(BoardState.CurrentRow, 11);
    EXPECT_TRUE(BoardState.GameActive);
    EXPECT_EQ(BoardState.RowScores[12], (TRowScore{0, 2}));
    // Every code left answers row 12 as the secret did.
    ASSERT_GT(CandidateCount, 0);
    for (int32_t k = 1; k <= CandidateCount; ++k)
        ASSERT_EQ(CompareCodes(CandidateSlot(k), Code("1256")), (TRowScore{0, 2}));
}

TEST_F(FlowTest, AWinEntersARecordOnlyWhenItBeatsTheStoredOne) {
    Configure(4, 8, false);
    // Row 12 is one row; a better time on as many rows replaces the record.
    Playing(12, "1234", "1234");
    BoardState.ElapsedTime = 7;
    RowEvaluation r = EvaluateRow();
    EXPECT_EQ(r.End, RowEnd::NewRecord);
    EXPECT_TRUE(r.StopsTimer() && r.RecordEntered() && r.GameOver());
    EXPECT_FALSE(BoardState.GameActive);
    EXPECT_EQ(BoardState.CurrentRow, 12);  // the winning row stays current
    EXPECT_EQ(CurrentHighScore().RecordRows, 1);
    EXPECT_EQ(int(CurrentHighScore().RecordSeconds), 7);  // a copy: the entry is packed

    // The same rows and seconds: a plain win, the record untouched.
    Playing(12, "1234", "1234");
    BoardState.ElapsedTime = 7;
    r = EvaluateRow();
    EXPECT_EQ(r.End, RowEnd::Won);
    EXPECT_TRUE(r.StopsTimer());
    EXPECT_FALSE(r.RecordEntered());
    EXPECT_EQ(int(CurrentHighScore().RecordSeconds), 7);  // a copy: the entry is packed

    // Row 1 is twelve rows; with no record of other settings it is one.
    Configure(5, 8, false);
    Playing(1, "12345", "12345");
    BoardState.ElapsedTime = 300;
    EXPECT_EQ(EvaluateRow().End, RowEnd::NewRecord);
    EXPECT_EQ(CurrentHighScore().RecordRows, 12);
    Configure(4, 8, false);
    EXPECT_EQ(CurrentHighScore().RecordRows, 1);  // another setting's record kept
}

TEST_F(FlowTest, AHintAfterTheFirstRowGivesUpTheRecord) {
    Configure(4, 8, false);
    Playing(11, "1234", "");
    BoardState.Guesses[12] = Code("5678");
    BoardState.CurrentRow = 12;
    ASSERT_EQ(EvaluateRow().End, RowEnd::NextRow);
    ASSERT_TRUE(PlaceHint());
    EXPECT_TRUE(BoardState.HintUsed);
    // The hint answers row 12 as the secret does.
    EXPECT_EQ(CompareCodes(BoardState.Guesses[11], Code("5678")), (TRowScore{0, 0}));
    BoardState.Guesses[11] = Code("1234");
    const RowEvaluation r = EvaluateRow();
    EXPECT_EQ(r.End, RowEnd::Won);
    EXPECT_TRUE(r.StopsTimer());
    EXPECT_EQ(CurrentHighScore().RecordRows, 0);
}

TEST_F(FlowTest, AHintOnTheFirstRowIsTheFreeOpening) {
    Configure(5, 10, true);
    StartGame();
    BoardState.Guesses[12] = Code("99");
    ASSERT_TRUE(PlaceHint());
    EXPECT_EQ(BoardState.Guesses[12], Code("12345"));
    EXPECT_FALSE(BoardState.HintUsed);

    BoardState.GameActive = false;
    BoardState.Guesses[12] = Code("6");
    EXPECT_FALSE(PlaceHint());
    EXPECT_EQ(BoardState.Guesses[12], Code("6"));
}

TEST_F(FlowTest, MissingOnRowOneLosesWithTheClockRunning) {
    Configure(4, 8, false);
    Playing(1, "1234", "4321");
    BoardState.ColorMarks[2] = MarkCross;
    const RowEvaluation r = EvaluateRow();
    EXPECT_EQ(r.End, RowEnd::Lost);
    EXPECT_EQ(r.Row, 1);
    EXPECT_TRUE(r.GameOver());
    EXPECT_FALSE(r.StopsTimer());
    EXPECT_FALSE(BoardState.GameActive);
    EXPECT_EQ(BoardState.CurrentRow, 0);
    EXPECT_EQ(BoardState.ColorMarks[2], MarkNone);
    EXPECT_EQ(CurrentHighScore().RecordRows, 0);
    // No row is current any more: nothing to evaluate, nothing to fill.
    EXPECT_EQ(EvaluateRow().End, RowEnd::NoGame);
    EXPECT_EQ(QuickFill(3), 0);
}

TEST_F(FlowTest, QuickFillTakesTheFirstEmptyHoleInPlay) {
    Configure(4, 8, false);
    StartGame();
    BoardState.Guesses[12][2] = 5;  // positions 1, 3 and 4 empty
    EXPECT_EQ(QuickFill(7), 1);
    EXPECT_EQ(QuickFill(2), 3);
    EXPECT_EQ(QuickFill(3), 4);
    EXPECT_EQ(QuickFill(4), 0);  // full: position 5 is not in play
    EXPECT_EQ(BoardState.Guesses[12], Code("7523"));
}

TEST_F(FlowTest, ADropLandsOnlyInAHoleInPlayOfTheCurrentRow) {
    GameSettings.Spaces = 4;
    Playing(10, "1234", "0000");
    EXPECT_FALSE(DropBall(3, 11, 1));  // a row already played
    EXPECT_FALSE(DropBall(3, 9, 1));   // a row still to come
    EXPECT_FALSE(DropBall(3, 10, 5));  // the fifth hole is out of play
    EXPECT_FALSE(DropBall(0, 10, 1));  // no colour
    EXPECT_TRUE(DropBall(3, 10, 2));
    EXPECT_TRUE(DropBall(6, 10, 2));  // a ball already there is replaced
    EXPECT_EQ(BoardState.Guesses[10], Code("0600"));
    BoardState.CurrentRow = 0;  // a lost game takes nothing
    EXPECT_FALSE(DropBall(3, 0, 1));
}

TEST_F(FlowTest, NoteMarksGoRoundAndTheSwitchesFlip) {
    GameSettings.Colors = 6;
    EXPECT_EQ(CycleNoteMark(2), MarkCross);
    EXPECT_EQ(CycleNoteMark(2), MarkRing);
    EXPECT_EQ(CycleNoteMark(2), MarkNone);
    EXPECT_EQ(CycleNoteMark(7), MarkNone);  // not in play
    EXPECT_EQ(BoardState.ColorMarks[7], MarkNone);
    const bool symbols = GameSettings.Symbols, holes = GameSettings.Holes;
    EXPECT_EQ(ToggleSymbols(), !symbols);
    EXPECT_EQ(ToggleHoles(), !holes);
    EXPECT_TRUE(ToggleView(2));
    EXPECT_TRUE(GameSettings.ViewCombs());
    EXPECT_FALSE(GameSettings.ViewTimer());
    SetViews(true, false);
    EXPECT_TRUE(GameSettings.ViewTimer());
    EXPECT_FALSE(GameSettings.ViewCombs());
}
