// The timer and combinations windows' first place: beside the board,
// touching its right edge, the timer above the combinations window, on the
// screen; a stored place is used as it is while the window can be reached.
#include "BoardFixture.h"
#include "windows/SidePlacement.h"
#include "windows/UAbout.h"
#include "windows/UTimer.h"

TEST(SidePlacement, BesideTheBoardAndBackOntoTheScreen) {
    const Rect board{100, 50, 528, 420};
    EXPECT_EQ(BesideBoard(board, 164, 53, 0, {0, 0, 1920, 1080}), (Rect{628, 50, 164, 53}));
    EXPECT_EQ(BesideBoard(board, 111, 53, 53, {0, 0, 1920, 1080}), (Rect{628, 103, 111, 53}));
    // A board at the right edge: the window stays on the screen, over the
    // board's edge rather than off the screen.
    EXPECT_EQ(BesideBoard({1500, 700, 528, 420}, 164, 53, 0, {0, 0, 1920, 1080}), (Rect{1756, 700, 164, 53}));
    EXPECT_EQ(BesideBoard({1500, 1060, 528, 420}, 111, 53, 53, {0, 0, 1920, 1080}), (Rect{1809, 1027, 111, 53}));
    // A board dragged off the upper left corner.
    EXPECT_EQ(BesideBoard({-700, -300, 528, 420}, 164, 53, 0, {0, 0, 1920, 1080}), (Rect{0, 0, 164, 53}));
}

TEST_F(BoardTest, WithoutStoredPlacesTheSideWindowsOpenBesideTheBoardOneAboveTheOther) {
    Start();
    Key(Key::Function(11));
    Key(Key::Function(12));
    ASSERT_TRUE(frmTimer->Visible() && frmCombs->Visible());
    const int right = Main().Left() + Main().Width();
    EXPECT_EQ(Main().Width(), board::WindowWidth);
    EXPECT_EQ(frmTimer->Left(), right);
    EXPECT_EQ(frmTimer->Top(), Main().Top());
    EXPECT_EQ(frmCombs->Left(), right);
    EXPECT_EQ(frmCombs->Top(), frmTimer->Top() + frmTimer->Height());
}

TEST_F(BoardTest, OnAnUprightScreenTheSideWindowsOpenBelowTheBoardSideBySide) {
    platform.SetScreen(600 * S, 1000 * S, 32);
    Start();
    Key(Key::Function(11));
    Key(Key::Function(12));
    const int bottom = Main().Top() + Main().Height();
    EXPECT_EQ(frmTimer->Left(), Main().Left());
    EXPECT_EQ(frmTimer->Top(), bottom);
    EXPECT_EQ(frmCombs->Left(), Main().Left() + frmTimer->Width());
    EXPECT_EQ(frmCombs->Top(), bottom);
    // Within the screen, and over neither the board nor each other.
    EXPECT_LE(frmCombs->Left() + frmCombs->Width(), 600);
    EXPECT_LE(bottom + frmTimer->Height(), 1000);
}

TEST_F(BoardTest, StoredPlacesPartlyOffTheLeftOrTopEdgeAreUsedAsTheyAre) {
    // The player left them there, and each can still be taken hold of.
    Stored("MainLeft", std::to_string(-10 * S), "Windows");
    Stored("MainTop", std::to_string(30 * S), "Windows");
    Stored("TimerLeft", std::to_string(-20 * S), "Windows");
    Stored("TimerTop", std::to_string(300 * S), "Windows");
    Stored("AboutLeft", std::to_string(100 * S), "Windows");
    Stored("AboutTop", std::to_string(-5 * S), "Windows");
    Stored("ViewTimer", "1");
    Start();
    EXPECT_EQ(Main().Left(), -10);
    EXPECT_EQ(Main().Top(), 30);
    EXPECT_EQ(frmTimer->Left(), -20);
    EXPECT_EQ(frmTimer->Top(), 300);
    EXPECT_EQ(frmAbout->Left(), 100);
    EXPECT_EQ(frmAbout->Top(), -5);
}

TEST_F(BoardTest, StoredSidePlacesAreUsedAsTheyAreUnlessTheyCannotBeReached) {
    // The timer stands partly off the right edge, its corner on the screen:
    // kept. The combinations window was left on a second monitor: placed
    // beside the board as if nothing were stored.
    Stored("TimerLeft", std::to_string(980 * S), "Windows");
    Stored("TimerTop", std::to_string(7 * S), "Windows");
    Stored("CombsLeft", std::to_string(5000 * S), "Windows");
    Stored("CombsTop", std::to_string(12 * S), "Windows");
    Stored("ViewTimer", "1");
    Start();
    EXPECT_EQ(frmTimer->Left(), 980);
    EXPECT_EQ(frmTimer->Top(), 7);
    EXPECT_EQ(frmCombs->Left(), Main().Left() + Main().Width());
    EXPECT_EQ(frmCombs->Top(), Main().Top() + frmTimer->Height());
}
