// The frame every side window shares: where each opens (centred on a first
// run, then where the player left it, partly off the screen included), which are
// cut to rounded corners, dragging and hover, refused close requests and
// the keys the timer and combinations windows hand to the board.
#include "WindowsFixture.h"

#include <string>
#include <vector>

#include "platform/MemoryStore.h"
#include "util/ScreenPlace.h"
#include "windows/AboutLayout.h"
#include "windows/UAbout.h"
#include "windows/UCombs.h"
#include "windows/UHigh.h"
#include "windows/UMessage.h"
#include "windows/UOptions.h"
#include "windows/UTimer.h"

namespace {

class FrameTest : public WindowsTest {
protected:
    // The six side windows, created in the program's order.
    std::vector<TSkinnedForm*> CreateAll() {
        return {&app->CreateForm<TfrmAbout>(),   &app->CreateForm<TfrmOptions>(), &app->CreateForm<TfrmTimer>(),
                &app->CreateForm<TfrmCombs>(),   &app->CreateForm<TfrmMessage>(), &app->CreateForm<TfrmHigh>()};
    }
    std::string Stored(const std::string& name) {
        return MemoryStore(platform.StoreContents()).ReadText(SectionWindows, name).value_or("(none)");
    }
};

}  // namespace

TEST_F(FrameTest, WindowsOpenCentredFirstAndWhereTheyWereLeftAfterwards) {
    std::vector<TSkinnedForm*> windows = CreateAll();
    std::vector<Rect> places;
    for (TSkinnedForm* w : windows) {
        EXPECT_EQ(w->Left(), (1024 - w->Width()) / 2);
        EXPECT_EQ(w->Top(), (768 - w->Height()) / 2);
    }
    // The timer dragged partly off the left edge by its background; the
    // others moved by the program.
    frmTimer->Show();
    const int left = frmTimer->Left(), top = frmTimer->Top();
    Down(*frmTimer, 80, 30);
    platform.PointerMove(left + 80 - left - 50, top + 30 + 7);
    platform.PointerUp(left + 80 - left - 50, top + 30 + 7);
    EXPECT_EQ(frmTimer->Left(), -50);
    EXPECT_EQ(frmTimer->Top(), top + 7);
    // The others partly off the right and bottom edges, their top-left
    // corners still on the screen.
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i] != frmTimer) windows[i]->MoveTo(1024 - 32 - int(i), 600 + int(i) * 20);
    for (TSkinnedForm* w : windows) places.push_back(w->Bounds());

    Start();  // the next run
    EXPECT_EQ(frmTimer, nullptr);
    EXPECT_EQ(Stored("TimerLeft"), "-50");
    windows = CreateAll();
    for (size_t i = 0; i < windows.size(); ++i) {
        // The timer partly off the left edge too: the player left it there,
        // and it can still be taken hold of.
        EXPECT_EQ(windows[i]->Bounds(), places[i]) << i;
    }
    // Moved so far off that too little of it is left to grab (a monitor
    // that is gone): it opens where it first opened.
    EXPECT_EQ(frmTimer->Width(), places[2].Width);
    frmTimer->MoveTo(-frmTimer->Width() + 31, 100);
    Start();
    windows = CreateAll();
    EXPECT_EQ(frmTimer->Left(), (1024 - frmTimer->Width()) / 2);
    EXPECT_EQ(frmTimer->Top(), (768 - frmTimer->Height()) / 2);
}

TEST(ScreenPlace, APlaceIsKeptWhileEnoughOfTheWindowToGrabIsOnTheWorkArea) {
    // A 200 x 100 window on a 1024 x 768 work area below a 24-pixel panel:
    // 32 x 32 of it on the area keeps the place, 31 either way does not,
    // whichever edge it is off.
    const Rect area{0, 24, 1024, 744};
    struct Case {
        int Left, Top;
        bool Kept;
    };
    for (const Case& c : {Case{0, 24, true}, Case{-10, 30, true}, Case{100, 20, true},
                          Case{-168, 300, true}, Case{-169, 300, false},        // off the left edge
                          Case{1024 - 32, 300, true}, Case{1024 - 31, 300, false},  // off the right edge
                          Case{100, 24 - 68, true}, Case{100, 24 - 69, false},    // under the panel, off the top
                          Case{100, 768 - 32, true}, Case{100, 768 - 31, false},  // off the bottom
                          Case{2000, 100, false},                                // kept from a second monitor
                          Case{2147483640, 0, false}, Case{-2147483647, 0, false}}) {
        EXPECT_EQ(PlaceReachable({c.Left, c.Top, 200, 100}, area), c.Kept) << c.Left << ", " << c.Top;
    }
    EXPECT_FALSE(PlaceReachable({0, 0, 200, 100}, {0, 0, 0, 0}));  // no screen known
    EXPECT_FALSE(PlaceReachable({0, 0, 20, 20}, area));            // too small a window to count on
}

TEST_F(FrameTest, TheDefaultPlaceIsCentredOnTheWorkAreaAndNeverOutOfReach) {
    // A panel along the top: centred below it.
    platform.SetScreen(1024, 768, 32);
    platform.SetWorkArea({0, 40, 1024, 728});
    TfrmAbout& about = app->CreateForm<TfrmAbout>();
    EXPECT_EQ(about.Left(), (1024 - 360) / 2);
    EXPECT_EQ(about.Top(), 40 + (728 - 440) / 2);
    // A screen smaller than the window: its top-left corner, where it is
    // grabbed, on the work area, not centred off it.
    app->DestroyForms();
    platform.SetScreen(301, 201, 32);
    platform.SetWorkArea({0, 20, 301, 181});
    TfrmAbout& small = app->CreateForm<TfrmAbout>();
    EXPECT_EQ(small.Left(), 0);
    EXPECT_EQ(small.Top(), 20);
}

TEST_F(FrameTest, OnlyTheTimerCombinationsAndHighScoreWindowsHaveRoundedCorners) {
    for (TSkinnedForm* w : CreateAll()) {
        const bool rounded = w == frmTimer || w == frmCombs || w == frmHigh;
        const auto& shape = Rec(*w).Shape();
        ASSERT_EQ(shape.has_value(), rounded) << w->Width() << "x" << w->Height();
        if (!rounded) continue;
        const int r = w->Width() - 1, b = w->Height() - 1;
        ASSERT_EQ(shape->Width(), w->Width());
        ASSERT_EQ(shape->Height(), w->Height());
        // The four corners are cut; the straight edges and the middle stay.
        for (auto [x, y] : {std::pair{0, 0}, {r, 0}, {0, b}, {r, b}, {2, 2}, {r - 2, b - 2}})
            EXPECT_FALSE(shape->Contains(x, y)) << x << "," << y;
        for (auto [x, y] : {std::pair{12, 0}, {r - 12, 0}, {0, 12}, {r, b - 12}, {r / 2, b / 2}})
            EXPECT_TRUE(shape->Contains(x, y)) << x << "," << y;
    }
}

TEST_F(FrameTest, TimerAndCombinationsHandTheirKeysAndCloseRequestsToTheBoard) {
    GameSettings.ViewTimer() = true;
    GameSettings.ViewCombs() = true;
    Form& board = *app->MainForm();  // the fixture's stand-in board
    board.Show();
    CreateAll();
    ASSERT_TRUE(frmTimer->Visible());
    ASSERT_TRUE(frmCombs->Visible());

    // Without a handler a key simply goes nowhere.
    platform.KeyPressTo(frmTimer->PlatformWindow(), Key::Function(2));

    std::vector<std::pair<int, unsigned>> keys;
    SetMainKeyHandler([&](int key, unsigned modifiers) { keys.push_back({key, modifiers}); });
    frmTimer->Close();  // the program's own close does not hide them
    EXPECT_TRUE(frmTimer->Visible());

    platform.KeyPressTo(frmTimer->PlatformWindow(), Key::Function(2), Modifier::Shift);
    platform.KeyPressTo(frmCombs->PlatformWindow(), Key::Space);
    platform.KeyPressTo(frmCombs->PlatformWindow(), Key::Escape);
    EXPECT_EQ(keys, (std::vector<std::pair<int, unsigned>>{{113, Modifier::Shift}, {32, 0}, {27, 0}}));

    // The other windows do close on request, and pass no keys on.
    frmAbout->Show();
    platform.KeyPressTo(frmAbout->PlatformWindow(), Key::Space);
    EXPECT_TRUE(frmAbout->Visible());  // not a key of the about window
    platform.RequestClose(frmAbout->PlatformWindow());
    EXPECT_FALSE(frmAbout->Visible());
    EXPECT_EQ(keys.size(), 3u);
    EXPECT_FALSE(platform.QuitRequested());

    // Alt+F4 or the window manager's close on the timer or the
    // combinations window is the board's close: the game ends.
    platform.RequestClose(frmCombs->PlatformWindow());
    EXPECT_TRUE(platform.QuitRequested());
    EXPECT_FALSE(board.Visible());
}

TEST_F(FrameTest, OverlaysLightUnderThePointerAndDragsNeedTheLeftButton) {
    TfrmAbout& about = app->CreateForm<TfrmAbout>();
    const Bitmap lit = Embedded(PictureWindow::About, "ImgExit");
    about.Show();
    const Rect exit = AboutLayout::Exit;
    Move(about, exit.Left, exit.Top);  // the corner of its rectangle is in it
    EXPECT_TRUE(about.ImgExit.Visible());
    EXPECT_TRUE(Shows(Screen(about), exit, lit));
    Move(about, exit.Left - 1, exit.Top);
    EXPECT_FALSE(about.ImgExit.Visible());
    EXPECT_FALSE(Shows(Screen(about), exit, lit));

    // Right and middle presses neither drag nor start a drag.
    const Rect place = about.Bounds();
    for (MouseButton b : {MouseButton::Right, MouseButton::Middle}) {
        Down(about, 100, 100, b);
        Move(about, 150, 160);
        Up(about, 150, 160, b);
        EXPECT_FALSE(about.Dragging());
        EXPECT_EQ(about.Bounds(), place);
    }
    // A left drag far outside the window keeps moving it (the capture).
    Down(about, 100, 100);
    EXPECT_TRUE(about.Dragging());
    EXPECT_EQ(about.DragX(), 100);
    platform.PointerMove(place.Left + 100 + 700, place.Top + 100 - 500);
    platform.PointerUp(place.Left + 100 + 700, place.Top + 100 - 500);
    EXPECT_EQ(about.Left(), place.Left + 700);
    EXPECT_EQ(about.Top(), place.Top - 500);
    EXPECT_FALSE(about.Dragging());

    // A drag cut short by hiding the window does not go on when it is
    // shown again: the release never came, the capture is gone.
    Down(about, 100, 100);
    about.Hide();
    about.Show();
    const Rect shown = about.Bounds();
    Move(about, 130, 130);
    EXPECT_EQ(about.Bounds(), shown);

    ClickAt(about, exit);
    EXPECT_FALSE(about.Visible());
    about.Show();  // opens with nothing lit
    EXPECT_FALSE(about.ImgExit.Visible());
    EXPECT_FALSE(Shows(Screen(about), exit, lit));
}
