// A form drawn straight into its window's surface: the canvas is the memory
// the system shows from once the window was shown, a present copies
// nothing, and what was drawn before, or before a change of size, is kept.
// Windows never shown decode nothing and hold no surface.
#include "WindowsFixture.h"

#include "windows/TimerLayout.h"
#include "windows/UTimer.h"

namespace {

constexpr uint32_t Ink = 0x00336699;

class Plain : public Form {
public:
    explicit Plain(Application& app) : Form(app, 40, 30) {}
};

class PresentTest : public WindowsTest {};

}  // namespace

TEST_F(PresentTest, AShownFormDrawsIntoItsWindowsSurfaceAndPresentsWithoutACopy) {
    Plain& form = app->CreateForm<Plain>();
    // Never shown: no surface; the canvas is the form's own.
    EXPECT_EQ(Rec(form).SurfacePixels(), nullptr);
    form.Canvas().At(3, 4) = Ink;  // drawn before the window had a surface
    EXPECT_FALSE(form.Canvas().Pixels.IsLent());

    form.Show();
    Bitmap& canvas = form.Canvas();
    ASSERT_EQ(canvas.Pixels.data(), Rec(form).SurfacePixels());
    EXPECT_EQ(Screen(form).At(3, 4), Ink);  // carried into the surface

    const int presents = Rec(form).PresentCount();
    canvas.At(10, 10) = Ink;
    form.PresentRect(Rect{10, 10, 1, 1});
    EXPECT_EQ(Rec(form).PresentCount(), presents + 1);
    EXPECT_EQ(Rec(form).LastPresentedRect(), (Rect{10, 10, 1, 1}));
    EXPECT_EQ(Screen(form).At(10, 10), Ink);
}

TEST_F(PresentTest, ResizingAShownFormKeepsWhatFitsInItsNewSurface) {
    Plain& form = app->CreateForm<Plain>();
    form.Show();
    form.Canvas().At(5, 6) = Ink;
    form.Canvas().At(35, 25) = Ink;  // falls outside the smaller size
    form.SetSize(20, 10);
    Bitmap& canvas = form.Canvas();
    ASSERT_EQ(canvas.Width, 20);
    EXPECT_EQ(canvas.Pixels.data(), Rec(form).SurfacePixels());
    EXPECT_EQ(canvas.At(5, 6), Ink);
    form.SetSize(40, 30);
    EXPECT_EQ(form.Canvas().At(5, 6), Ink);
    EXPECT_EQ(form.Canvas().At(35, 25), 0u);
}

TEST_F(PresentTest, AHiddenTimerDecodesNothingUntilShownAndThenShowsTheCount) {
    TfrmTimer& timer = app->CreateForm<TfrmTimer>();
    ASSERT_FALSE(timer.Visible());
    BoardState.ElapsedTime = 0;
    for (int i = 0; i < 5; ++i) timer.TimerTimer();  // a game's first seconds, unseen
    EXPECT_FALSE(timer.PicturesDecoded());
    EXPECT_EQ(Rec(timer).SurfacePixels(), nullptr);

    timer.Show();
    EXPECT_TRUE(timer.PicturesDecoded());
    EXPECT_EQ(ReadDigits(Screen(timer), TimerLayout::TimeText, TimerLayout::TimeChars), "  5");
    timer.Hide();
    timer.TimerTimer();  // once drawn, kept up to date while hidden
    timer.Show();
    EXPECT_EQ(ReadDigits(Screen(timer), TimerLayout::TimeText, TimerLayout::TimeChars), "  6");
}
