// The board when a modal window opens in the middle of a press, when a
// window manager moves it, and when the session ends: the cases a desktop
// produces that a press-release script alone never does.
#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "windows/UOptions.h"

namespace {

// Drops colour 1 into the first hole, so the row is not full and Space
// brings up the "fill all spaces" message.
void StartRowWithOneBall(BoardTest& t) {
    t.Start();
    t.Drop(1, 1);
    ASSERT_EQ(BoardState.Guesses[12][1], 1);
}

}  // namespace

TEST_F(BoardTest, AButtonHeldWhileAMessageOpensNeverRunsItsCommand) {
    for (const int command : {int(cmdNew), int(cmdOptions), int(cmdExit)}) {
        StartRowWithOneBall(*this);
        const board::Point button = board::Buttons[size_t(command)].Centre;
        Press(button);
        ASSERT_EQ(Main().PressedButton(), command);
        platform.Script([&] { Release(button); });  // released while the message is up
        EXPECT_EQ(Message([&] { Key(Key::Space); }), mkFill);
        EXPECT_EQ(Main().PressedButton(), -1) << command;
        EXPECT_FALSE(Main().ButtonLit(command)) << command;
        // Nothing ran: the row keeps its ball, no options window came, the
        // program goes on.
        EXPECT_EQ(BoardState.Guesses[12][1], 1) << command;
        EXPECT_FALSE(frmOptions->Visible()) << command;
        EXPECT_FALSE(platform.QuitRequested()) << command;
        EXPECT_EQ(platform.Stalls(), 0) << command;
        // A later release on the button is no click either.
        Release(button);
        EXPECT_EQ(BoardState.Guesses[12][1], 1) << command;
        Stop();
    }
}

TEST_F(BoardTest, AWindowMoveCutShortByAMessageEndsThere) {
    StartRowWithOneBall(*this);
    const Rect before = Main().Bounds();
    Press({150, 8});
    ASSERT_TRUE(Main().MovingWindow());
    platform.Script([&] { Release({150, 8}); });
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkFill);
    EXPECT_FALSE(Main().MovingWindow());
    // A move with no button held moves nothing.
    platform.PointerMove(SX(150 + 40), SY(8 + 30));
    EXPECT_EQ(Main().Bounds(), before);
    EXPECT_EQ(platform.Captured(), nullptr);
}

TEST_F(BoardTest, ACarryEndsWithTheDefaultCursorWhenAMessageOrAnotherButtonCutsItShort) {
    StartRowWithOneBall(*this);
    // A message opening mid-carry: the ball goes back, nothing lands.
    Press(board::ColorCentre(3));
    ASSERT_EQ(platform.Cursor(), CursorKind::ClosedHand);
    platform.Script([&] { Release(board::HoleCentre(2, 12)); });
    EXPECT_EQ(Message([&] { Key(Key::Space); }), mkFill);
    EXPECT_EQ(Main().DragColor(), 0);
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);
    EXPECT_EQ(BoardState.Guesses[12][2], 0);

    // A right click on bare board mid-carry lets go of the ball too.
    Press(board::ColorCentre(3));
    ASSERT_EQ(platform.Cursor(), CursorKind::ClosedHand);
    Click({150, 8}, MouseButton::Right);
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);
    Move(board::HoleCentre(2, 12));
    Release(board::HoleCentre(2, 12));
    EXPECT_EQ(BoardState.Guesses[12][2], 0);
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);
    // The middle button likewise.
    Press(board::ColorCentre(4));
    Click({150, 8}, MouseButton::Middle);
    EXPECT_EQ(platform.Cursor(), CursorKind::Default);
    Release(board::HoleCentre(3, 12));
    EXPECT_EQ(BoardState.Guesses[12][3], 0);
}

TEST_F(BoardTest, ABoardMovedByTheWindowManagerIsPlayedAndStoredAtItsNewPlace) {
    Start();
    const board::Point exit = board::Buttons[cmdExit].Centre;
    const int oldExitX = SX(exit.X), oldExitY = SY(exit.Y);
    platform.MoveFromOutside(Main().PlatformWindow(), 300 * S, 250 * S);
    EXPECT_EQ(Main().Left(), 300);
    EXPECT_EQ(Main().Top(), 250);
    // Where the Exit button was on the screen is now board: nothing ends.
    platform.Click(oldExitX, oldExitY);
    EXPECT_FALSE(platform.QuitRequested());
    // A ball dropped at the new place lands.
    Drop(2, 1);
    EXPECT_EQ(BoardState.Guesses[12][1], 2);
    // A drag of the board goes on from where the window manager left it.
    Press({150, 8});
    platform.PointerMove(SX(150 + 10), SY(8 + 5));
    Release({150, 8});
    EXPECT_EQ(Main().Left(), 310);
    EXPECT_EQ(Main().Top(), 255);
    // The real Exit button ends the program, and the place is kept.
    Click(exit);
    EXPECT_TRUE(platform.QuitRequested());
    Stop();
    EXPECT_EQ(*platform.StoreContents()->Find("Windows", "MainLeft"), std::to_string(310 * S));
    EXPECT_EQ(*platform.StoreContents()->Find("Windows", "MainTop"), std::to_string(255 * S));
}

TEST_F(BoardTest, TheSessionEndingWhileAModalWindowIsUpClosesTheBoard) {
    Start();
    platform.Script([&] { platform.EndSession(); });
    Key(Key::Function(5));  // the options window, modal
    EXPECT_TRUE(platform.QuitRequested());
    EXPECT_FALSE(frmOptions->Visible());
    // The board went through its own close: it closes as a plain rectangle,
    // and what the player set is kept.
    EXPECT_FALSE(Rec(Main()).Shape().has_value());
    EXPECT_EQ(platform.Stalls(), 0);
    const auto& store = *platform.StoreContents();
    for (const char* name : {"Spaces", "Colors", "Doubles", "High"}) EXPECT_NE(store.Find("Game", name), nullptr) << name;
}
