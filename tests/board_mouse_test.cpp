// The board under the mouse, on the headless backend: carrying and dropping
// colours, quick fills, note marks, buttons, hover lights, moving the
// windows and the see-through holes, checked on the state and on the pixels
// the window presents.
#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "GameFixture.h"
#include "board/BoardRenderer.h"
#include "resources/ScaledPicture.h"
#include "util/Blit.h"

namespace {

// The board's picture as the run draws it, at the drawing scale.
Bitmap MainPicture(const char* name) { return *PictureAt(PictureWindow::Main, name, RunScale()); }

// True when the area of `shown` equals the same area of `expected`; the
// area is in logical pixels, the bitmaps at the drawing scale.
bool SameArea(const Bitmap& shown, const Bitmap& expected, const Rect& r, int ex = -1, int ey = -1) {
    if (ex < 0) ex = r.Left, ey = r.Top;
    const int s = RunScale();
    for (int y = 0; y < r.Height * s; ++y)
        for (int x = 0; x < r.Width * s; ++x)
            if (shown.At(r.Left * s + x, r.Top * s + y) != expected.At(ex * s + x, ey * s + y)) return false;
    return true;
}

// True when the window's shape holds the logical point.
bool ShapeHolds(const Region& shape, board::Point p) {
    const int s = RunScale();
    return shape.Contains(p.X * s, p.Y * s);
}

}  // namespace

TEST_F(BoardTest, ColoursAreCarriedFromTheColumnOrAnyBallAndLandOnlyInTheCurrentRow) {
    Start();
    const Bitmap bare = MainPicture("ImgBoard");
    Press(board::ColorCentre(3));
    EXPECT_EQ(platform.Cursor(), CursorKind::ClosedHand);
    EXPECT_TRUE(SameArea(Screen(), bare, board::HoleBall(2, 12)));  // nothing drawn while carried
    Move(board::HoleCentre(2, 12));
    Release(board::HoleCentre(2, 12));
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);
    EXPECT_EQ(BoardState.Guesses[12][2], 3);
    EXPECT_FALSE(SameArea(Screen(), bare, board::HoleBall(2, 12)));
    EXPECT_TRUE(ScreenShowsBackBuffer());

    // Released on another row, between holes, or outside the window: let go.
    const auto before = BoardState.Guesses;
    Drag(board::ColorCentre(4), board::HoleCentre(3, 11));
    Drag(board::ColorCentre(4), {board::HoleCentre(3, 12).X + 16, board::HoleCentre(3, 12).Y});
    Drag(board::ColorCentre(4), {-50, 600});
    EXPECT_EQ(BoardState.Guesses, before);
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);

    // A ball of an evaluated row lends its colour and keeps it.
    for (int p = 1; p <= 4; ++p) Drop(p == 2 ? 3 : p + 4, p);
    Key(Key::Space);
    if (!BoardState.GameActive) GTEST_SKIP() << "the seed's secret was hit";
    Drag(board::HoleCentre(2, 12), board::HoleCentre(4, 11));
    EXPECT_EQ(BoardState.Guesses[11][4], 3);
    EXPECT_EQ(BoardState.Guesses[12][2], 3);
    // An occupied hole of the current row takes the new colour.
    Drop(6, 4);
    EXPECT_EQ(BoardState.Guesses[11][4], 6);
}

TEST_F(BoardTest, RightClicksFillTheFirstEmptyHoleAndLeaveAFullRowAlone) {
    Start();
    Drop(7, 2);
    Drop(8, 4);
    Click(board::ColorCentre(1), MouseButton::Right);
    EXPECT_EQ(BoardState.Guesses[12][1], 1);
    Click(board::ColorCentre(2), MouseButton::Right);
    EXPECT_EQ(BoardState.Guesses[12][3], 2);
    const auto full = BoardState.Guesses;
    Click(board::ColorCentre(5), MouseButton::Right);
    Click({150, 8}, MouseButton::Right);  // bare board: a repaint, nothing else
    EXPECT_EQ(BoardState.Guesses, full);
    EXPECT_FALSE(Main().MovingWindow());
    EXPECT_TRUE(Main().BackgroundHit());
    EXPECT_TRUE(ScreenShowsBackBuffer());
}

TEST_F(BoardTest, CtrlClicksCycleAColoursMarkFromTheColumnOrFromABall) {
    Start();
    const Bitmap bare = MainPicture("ImgBoard");
    const Rect note = board::NoteSquare(3);
    Click(board::ColorCentre(3), MouseButton::Left, Modifier::Ctrl);
    EXPECT_EQ(BoardState.ColorMarks[3], MarkCross);
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);
    const Bitmap cross = Screen();
    Drop(3, 1);
    Click(board::HoleCentre(1, 12), MouseButton::Left, Modifier::Ctrl);
    EXPECT_EQ(BoardState.ColorMarks[3], MarkRing);
    EXPECT_FALSE(SameArea(Screen(), cross, note));
    EXPECT_FALSE(SameArea(Screen(), bare, note));
    Click(board::ColorCentre(3), MouseButton::Left, Modifier::Ctrl);
    EXPECT_EQ(BoardState.ColorMarks[3], MarkNone);
    EXPECT_TRUE(SameArea(Screen(), bare, note));
    // A Ctrl press still carries the colour to a hole of the current row.
    Press(board::ColorCentre(6), MouseButton::Left, Modifier::Ctrl);
    Release(board::HoleCentre(2, 12));
    EXPECT_EQ(BoardState.Guesses[12][2], 6);
    // Marks go with the game.
    Click(board::ColorCentre(5), MouseButton::Left, Modifier::Ctrl);
    Key(Key::Function(2));
    EXPECT_EQ(BoardState.ColorMarks[5], MarkNone);
    EXPECT_TRUE(SameArea(Screen(), bare, board::NoteSquare(5)));
}

TEST_F(BoardTest, AButtonActsOnlyWhenPressedAndReleasedOnIt) {
    Start();
    Drop(5, 1);
    const board::Point newGame = board::Buttons[cmdNew].Centre;
    Press(newGame);
    Move({newGame.X + 40, newGame.Y});
    Release({newGame.X + 40, newGame.Y});
    EXPECT_EQ(BoardState.Guesses[12][1], 5);
    Click(newGame);
    EXPECT_EQ(BoardState.Guesses[12][1], 0);
    EXPECT_FALSE(Main().ButtonLit(cmdNew));
}

TEST_F(BoardTest, HitTestsAreRoundAndEndExactlyAtTheirRadius) {
    // 153 is the largest sum of two squares that rounds to 12, 157 the
    // smallest beyond; for the big ball 1053 and 1058 around 32.
    EXPECT_TRUE(board::Hits(12, 3, {0, 0}, 12));
    EXPECT_FALSE(board::Hits(11, 6, {0, 0}, 12));
    EXPECT_TRUE(board::Hits(18, 27, {0, 0}, 32));
    EXPECT_FALSE(board::Hits(23, 23, {0, 0}, 32));
    EXPECT_EQ(board::PointDistance(0, 0, -3, -4), 5);

    Start();
    const board::Point hole = board::HoleCentre(1, 12);
    Click(board::ColorCentre(2), MouseButton::Right);
    Press({hole.X + 12, hole.Y + 3});
    EXPECT_EQ(Main().DragColor(), 2);
    Release({hole.X + 12, hole.Y + 3});
    Press({hole.X + 11, hole.Y + 6});
    EXPECT_EQ(Main().DragColor(), 0);
    EXPECT_TRUE(Main().BackgroundHit());
    Release({hole.X + 11, hole.Y + 6});
    const board::Point ball = board::BigBallCentre;
    Press({ball.X + 18, ball.Y + 27});
    EXPECT_EQ(Main().PressedButton(), cmdEval);
    Release({0, 0});
    Press({ball.X + 23, ball.Y + 23});
    EXPECT_EQ(Main().PressedButton(), -1);
    Release({0, 0});
}

TEST_F(BoardTest, LightsFollowThePointerAlsoWhileCarryingAndComeBackAfterARepaint) {
    Start();
    const Bitmap big = MainPicture("ImgBigBall");
    const Rect lit = board::Buttons[cmdEval].Lit;
    Move(board::BigBallCentre);
    EXPECT_TRUE(Main().ButtonLit(cmdEval));
    EXPECT_TRUE(SameArea(Screen(), big, lit, 0, 0));
    platform.Expose(Main().PlatformWindow());
    EXPECT_TRUE(SameArea(Screen(), big, lit, 0, 0));
    Move({200, 40});
    EXPECT_FALSE(Main().ButtonLit(cmdEval));
    EXPECT_TRUE(SameArea(Screen(), Main().BackBuffer(), lit));

    Press(board::ColorCentre(1));
    Move(board::Buttons[cmdHint].Centre);
    EXPECT_TRUE(Main().ButtonLit(cmdHint));
    Release(board::Buttons[cmdHint].Centre);  // a carried colour presses no button
    EXPECT_EQ(BoardState.Guesses[12][1], 0);
    // Straight from one button onto another, as a fast hand does: the new
    // caption stands, the old light is gone.
    Move(board::Buttons[cmdAbout].Centre);
    Move(board::Buttons[cmdHint].Centre);
    EXPECT_FALSE(Main().ButtonLit(cmdAbout));
    EXPECT_TRUE(SameArea(Screen(), MainPicture("ImgHint"),
                         {board::Buttons[cmdHint].CaptionX, board::CaptionTop, 48, 29}, 0, 0));
    // Leaving the window takes every light away.
    platform.PointerMove(5, 5);
    EXPECT_FALSE(Main().ButtonLit(cmdHint));
    EXPECT_TRUE(ScreenShowsBackBuffer());
}

TEST_F(BoardTest, DraggingBareBoardMovesTheWindowAndSideWindowsStopAtTheScreenEdge) {
    Start();
    Key(Key::Function(11));
    ASSERT_TRUE(frmTimer->Visible());
    frmTimer->MoveTo(1024 - frmTimer->Width() - 10, 300);
    const Rect mainBefore = Main().Bounds();
    Press({150, 8});
    EXPECT_TRUE(Main().MovingWindow());
    platform.PointerMove(SX(150 + 30), SY(8 + 20));
    EXPECT_EQ(Main().Left(), mainBefore.Left + 30);
    EXPECT_EQ(Main().Top(), mainBefore.Top + 20);
    // Held back on x at the right edge, still following on y.
    EXPECT_EQ(frmTimer->Left(), 1024 - frmTimer->Width() - 10);
    EXPECT_EQ(frmTimer->Top(), 320);
    platform.PointerMove(SX(150 - 100), SY(8));
    EXPECT_EQ(Main().Left(), mainBefore.Left - 70);
    EXPECT_EQ(frmTimer->Left(), 1024 - frmTimer->Width() - 110);
    Release({150, 8});
    EXPECT_FALSE(Main().MovingWindow());
}

TEST_F(BoardTest, DoubleClickOnBareBoardCutsExactlyTheEmptyHoles) {
    Settings(5, 8, false);
    Start();
    const Region outline = BoardOutline(RunScale());
    Drop(2, 3);
    platform.DoubleClick(SX(150), SY(8));
    EXPECT_TRUE(GameSettings.Holes);
    ASSERT_TRUE(Rec(Main()).Shape());
    const Region& shape = *Rec(Main()).Shape();
    int cut = 0;
    for (int p = 1; p <= 5; ++p)
        for (int r = 1; r <= 12; ++r) {
            const board::Point c = board::HoleCentre(p, r);
            const bool open = !ShapeHolds(shape, c);
            EXPECT_EQ(open, !(p == 3 && r == 12)) << p << "," << r;
            cut += open;
        }
    EXPECT_EQ(cut, 59);
    // A dropped ball closes its hole at once; a double click on a ball in a
    // hole or in the colour column changes nothing.
    Drop(4, 1);
    EXPECT_TRUE(ShapeHolds(*Rec(Main()).Shape(), board::HoleCentre(1, 12)));
    platform.DoubleClick(SX(board::HoleCentre(1, 12).X), SY(board::HoleCentre(1, 12).Y));
    platform.DoubleClick(SX(board::ColorCentre(2).X), SY(board::ColorCentre(2).Y));
    EXPECT_TRUE(GameSettings.Holes);
    // A new game opens all 60 again; a second double click closes them.
    Key(Key::Function(2));
    int open = 0;
    for (int p = 1; p <= 5; ++p)
        for (int r = 1; r <= 12; ++r)
            open += !ShapeHolds(*Rec(Main()).Shape(), board::HoleCentre(p, r));
    EXPECT_EQ(open, 60);
    platform.DoubleClick(SX(150), SY(8));
    EXPECT_FALSE(GameSettings.Holes);
    EXPECT_EQ(*Rec(Main()).Shape(), outline);
}

TEST_F(BoardTest, AFingerTapsLongPressesCarriesAndDoubleTapsAsTheMouseDoes) {
    Start();
    platform.UseFinger(true);
    const board::Point three = board::ColorCentre(3), five = board::ColorCentre(5);
    // A tap puts the colour into the first empty hole, as a right click.
    Click(three);
    EXPECT_EQ(Digits(BoardState.Guesses[12], 4), "3000");
    // A small wobble is still a tap; a long press cycles the note instead.
    Press(five);
    Release({five.X + board::TapSlop, five.Y - board::TapSlop});
    EXPECT_EQ(Digits(BoardState.Guesses[12], 4), "3500");
    Press(five);
    platform.Advance(board::LongPressMs);
    Release(five);
    EXPECT_EQ(BoardState.ColorMarks[5], MarkCross);
    EXPECT_EQ(Digits(BoardState.Guesses[12], 4), "3500");
    // A carry shows the ball the finger took, and lands as a drag does.
    Press(board::ColorCentre(2));
    ASSERT_TRUE(platform.Carried().has_value());
    EXPECT_EQ(*platform.Carried(), (Rect{16 * S, 80 * S, 24 * S, 24 * S}));
    Move(board::HoleCentre(4, 12));
    Release(board::HoleCentre(4, 12));
    EXPECT_FALSE(platform.Carried().has_value());
    EXPECT_EQ(Digits(BoardState.Guesses[12], 4), "3502");
    EXPECT_TRUE(ScreenShowsBackBuffer());
    // A double tap on bare board flips the see-through holes.
    platform.DoubleClick(SX(150), SY(8));
    EXPECT_TRUE(GameSettings.Holes);
    // The mouse keeps its own ways: a left click on a colour is a carry let go.
    platform.UseFinger(false);
    Click(board::ColorCentre(6));
    EXPECT_EQ(Digits(BoardState.Guesses[12], 4), "3502");
    EXPECT_FALSE(platform.Carried().has_value());
}
