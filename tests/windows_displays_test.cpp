// The digit displays of the timer, combinations and high-score windows,
// read back from the presented pixels: the count of seconds and its cap,
// the record of the current settings, the count of codes, and the twelve
// record cells with clearing one or all of them.
#include "WindowsFixture.h"

#include <cstring>
#include <functional>

#include "game/Solver.h"
#include "windows/CombsLayout.h"
#include "windows/HighLayout.h"
#include "windows/TimerLayout.h"
#include "windows/UCombs.h"
#include "windows/UHigh.h"
#include "windows/UTimer.h"

namespace {

class TimerWindow : public WindowsTest {
protected:
    void SetUp() override {
        WindowsTest::SetUp();
        GameSettings.ViewTimer() = true;  // the window starts visible
    }
    std::string Time() { return ReadDigits(Screen(*frmTimer), TimerLayout::TimeText, TimerLayout::TimeChars); }
    std::string Record() { return ReadDigits(Screen(*frmTimer), TimerLayout::RecordText, TimerLayout::RecordChars); }
};

void SetRecord(int spaces, int colors, bool doubles, int rows, int seconds) {
    HighScoreEntry& e = HighScoreTable.Entries[static_cast<size_t>(HighScoreOffset(spaces, colors, doubles) / 3 + 1)];
    e.RecordRows = static_cast<uint8_t>(rows);
    e.RecordSeconds = static_cast<int16_t>(seconds);
}

}  // namespace

TEST_F(TimerWindow, CountsFromOneUpToNineHundredNinetyNineAndKeepsDrawingTheRecord) {
    TfrmTimer& timer = app->CreateForm<TfrmTimer>();
    ASSERT_EQ(frmTimer, &timer);
    ASSERT_TRUE(timer.Visible());
    EXPECT_TRUE(timer.Timer.Enabled());  // ticking from creation

    // A new game: the count is reset and ticked once at once.
    BoardState.ElapsedTime = 0;
    timer.TimerTimer();
    EXPECT_EQ(BoardState.ElapsedTime, 1);
    EXPECT_EQ(Time(), "  1");
    EXPECT_EQ(Record(), "      ");

    platform.Advance(999 * 1000);
    EXPECT_EQ(BoardState.ElapsedTime, 999);
    EXPECT_EQ(Time(), "999");
    // Still redrawn every second at the cap: a record made meanwhile shows
    // at the next tick.
    SetRecord(4, 8, false, 7, 45);
    platform.Advance(1000);
    EXPECT_EQ(BoardState.ElapsedTime, 999);
    EXPECT_EQ(Time(), "999");
    EXPECT_EQ(Record(), " 7/045");

    // Hidden, it keeps counting into its picture; shown, it shows the time.
    BoardState.ElapsedTime = 41;
    timer.Hide();
    platform.Advance(1000);
    timer.Show();
    EXPECT_EQ(Time(), " 42");
}

TEST_F(TimerWindow, RecordShowsRowsAndZeroPaddedSecondsAndBlanksWipeIt) {
    TfrmTimer& timer = app->CreateForm<TfrmTimer>();
    SetRecord(4, 8, false, 5, 42);
    timer.DrawRecord();
    EXPECT_EQ(Record(), " 5/042");

    SetRecord(4, 8, false, 12, 5);
    timer.DrawRecord();
    EXPECT_EQ(Record(), "12/005");

    // Another setting has no record: six blanks cover the old one.
    GameSettings.Colors = 10;
    timer.DrawRecord();
    EXPECT_EQ(Record(), "      ");
}

TEST_F(WindowsTest, CombinationsShowTheCountRightAlignedInSixCellsEvenWhileHidden) {
    TfrmCombs& combs = app->CreateForm<TfrmCombs>();
    ASSERT_FALSE(combs.Visible());  // ViewCombs is off
    ResetCandidates();              // 4 holes, 8 colours, no repeats
    combs.DrawCount();
    combs.Show();
    EXPECT_EQ(ReadDigits(Screen(combs), CombsLayout::CountText, CombsLayout::CountChars), "  1680");

    GameSettings.Spaces = 5;
    GameSettings.Colors = 10;
    GameSettings.Doubles = true;
    ResetCandidates();
    combs.DrawCount();
    EXPECT_EQ(ReadDigits(Screen(combs), CombsLayout::CountText, CombsLayout::CountChars), "100000");
}

namespace {

class HighWindow : public WindowsTest {
protected:
    std::string Cell(int spaces, int colors, bool doubles) {
        return ReadDigits(Screen(*frmHigh), HighLayout::CellOrigin(spaces, colors, doubles), HighLayout::CellChars);
    }
    int FilledCells() {
        int filled = 0;
        for (int s = 4; s <= 5; ++s)
            for (int c = 6; c <= 10; c += 2)
                for (bool d : {false, true}) filled += Cell(s, c, d) != "      ";
        return filled;
    }
    // Shows the window modally and runs `steps` while it is up; the last
    // step closes it with Enter.
    void WhileShown(std::function<void()> steps) {
        platform.Script(std::move(steps));
        platform.Script([this] { platform.KeyPress(Key::Enter); });
        frmHigh->ShowModal();
        ASSERT_EQ(platform.Stalls(), 0);
    }
};

}  // namespace

TEST_F(HighWindow, ShowsEveryRecordInItsCell) {
    TfrmHigh& high = app->CreateForm<TfrmHigh>();
    SetRecord(4, 8, false, 5, 83);
    SetRecord(5, 10, true, 12, 999);
    SetRecord(5, 6, false, 7, 45);
    WhileShown([&] {
        EXPECT_EQ(Cell(4, 8, false), " 5/083");
        EXPECT_EQ(Cell(5, 10, true), "12/999");
        EXPECT_EQ(Cell(5, 6, false), " 7/045");
        EXPECT_EQ(FilledCells(), 3);
    });
    EXPECT_FALSE(high.Visible());  // Enter closed it
}

TEST_F(HighWindow, RecordsNoGameMakesStayInsideTheirCells) {
    app->CreateForm<TfrmHigh>();
    // The second cell of the top row is drawn after the third, which it
    // would run into.
    SetRecord(5, 6, false, 255, -32768);
    SetRecord(4, 6, true, 3, 45);
    SetRecord(4, 8, false, 13, 1000);
    SetRecord(4, 8, true, 99, 999);
    SetRecord(4, 10, false, 100, 5);
    // Cut to six cells these would read as other records ("13/100"): they
    // show dashes, which no record reads as.
    WhileShown([&] {
        EXPECT_EQ(Cell(5, 6, false), "--/---");
        EXPECT_EQ(Cell(4, 6, true), " 3/045");
        EXPECT_EQ(Cell(4, 8, false), "--/---");
        EXPECT_EQ(Cell(4, 8, true), "99/999");
        EXPECT_EQ(Cell(4, 10, false), "--/---");
    });
}

TEST_F(HighWindow, DoubleClickClearsTheCellUnderItAndNothingOnAHeading) {
    TfrmHigh& high = app->CreateForm<TfrmHigh>();
    SetRecord(5, 10, true, 3, 120);
    SetRecord(4, 6, false, 9, 300);
    const THighScoreTable before = HighScoreTable;
    WhileShown([&] {
        // The headings, a row label and the gap under the cells clear nothing.
        platform.DoubleClick(high.Left() + 120, high.Top() + 22);
        platform.DoubleClick(high.Left() + 40, high.Top() + 140);
        platform.DoubleClick(high.Left() + 300, high.Top() + 175);
        EXPECT_EQ(0, std::memcmp(&HighScoreTable, &before, sizeof before));
        EXPECT_EQ(FilledCells(), 2);

        // The lower right corner of the 5 holes, 10 colours, repeats cell.
        const Rect cell = HighLayout::CellArea(5, 10, true);
        platform.DoubleClick(high.Left() + cell.Right() - 1, high.Top() + cell.Bottom() - 1);
        EXPECT_EQ(Cell(5, 10, true), "      ");
        EXPECT_EQ(Cell(4, 6, false), " 9/300");
        EXPECT_EQ(FilledCells(), 1);
    });
    THighScoreTable expected = before;
    expected.Entries[static_cast<size_t>(HighScoreOffset(5, 10, true) / 3 + 1)] = HighScoreEntry{};
    EXPECT_EQ(0, std::memcmp(&HighScoreTable, &expected, sizeof expected));
}

TEST_F(HighWindow, ResetScoresBlanksAllCellsAtOnce) {
    TfrmHigh& high = app->CreateForm<TfrmHigh>();
    for (int s = 4; s <= 5; ++s)
        for (int c = 6; c <= 10; c += 2)
            for (bool d : {false, true}) SetRecord(s, c, d, c, s * 100 + c);
    WhileShown([&] {
        EXPECT_EQ(FilledCells(), 12);
        ClickAt(high, HighLayout::Reset);
        EXPECT_EQ(FilledCells(), 0);
        EXPECT_TRUE(high.Visible());
    });
    const THighScoreTable empty{};
    EXPECT_EQ(0, std::memcmp(&HighScoreTable, &empty, sizeof empty));
}
