// Drawing at a scale: masks that are the exact shapes scaled, blits in
// logical coordinates at any scale, and the program choosing its scale,
// switching it with F10 and when the desktop asks.
#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "windows/MessageLayout.h"
#include "windows/UMessage.h"
#include "board/BoardRenderer.h"
#include "resources/ScaledPicture.h"
#include "util/Blit.h"
#include "util/Region.h"
#include "util/Format.h"
#include "windows/TimerLayout.h"
#include "windows/Digits.h"
#include "windows/UTimer.h"

TEST(Scale, EveryMaskAtAScaleIsTheExactShapeScaled) {
    std::vector<Shape> shapes = {RoundRectShape(0, 0, 164, 53, 24, 24), EllipseShape(3, 5, 30, 28),
                                 RectShape(2, 3, 17, 11)};
    for (const board::OutlineStep& step : board::Outline)
        shapes.push_back(step.Shape == board::OutlineStep::Kind::Ellipse
                             ? EllipseShape(step.Left, step.Top, step.Right, step.Bottom)
                         : step.Shape == board::OutlineStep::Kind::RoundRect
                             ? RoundRectShape(step.Left, step.Top, step.Right, step.Bottom, step.CornerW, step.CornerH)
                             : RectShape(step.Left, step.Top, step.Right, step.Bottom));
    for (int scale = 1; scale <= 3; ++scale)
        for (const Shape& shape : shapes) {
            const Region mask(board::WindowWidth, board::WindowHeight, shape, scale);
            ASSERT_EQ(mask.Width(), board::WindowWidth * scale);
            const Shape big = ScaledShape(shape, scale);
            for (int y = 0; y < mask.Height(); ++y)
                for (int x = 0; x < mask.Width(); ++x)
                    ASSERT_EQ(mask.Contains(x, y), big.Contains(x, y)) << scale << " at " << x << "," << y;
        }
}

TEST(Scale, BlitsTakeLogicalCoordinatesAndEnlargeAPictureOfAnotherScale) {
    Bitmap picture = Bitmap::Logical(4, 3, 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) picture.At(x, y) = uint32_t(10 * y + x + 1);
    const Bitmap big = Rescaled(picture, 3);
    ASSERT_EQ(big.Width, 12);
    ASSERT_EQ(big.Scale, 3);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(big.At(x, y), picture.At(x / 3, y / 3));

    // Same scale: the logical rectangle (1, 1, 2 x 1) of the source to (2, 0).
    Bitmap canvas = Bitmap::Logical(5, 2, 3);
    BlitRect(canvas, 2, 0, 2, 1, 1, 1, big);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 15; ++x) {
            const bool inside = x >= 6 && x < 12 && y < 3;
            EXPECT_EQ(canvas.At(x, y), inside ? picture.At(1 + (x - 6) / 3, 1) : 0u) << x << "," << y;
        }
    // Across scales the 1x picture lands exactly where its enlargement would.
    Bitmap across = Bitmap::Logical(5, 2, 3);
    BlitRectRop(across, 2, 0, 2, 1, 1, 1, picture, RopSrcPaint);
    EXPECT_EQ(across.Pixels, canvas.Pixels);
    // Clipped at the canvas's edges in its own pixels.
    Bitmap edge = Bitmap::Logical(2, 2, 2);
    BlitPicture(edge, -3, 1, big);
    EXPECT_EQ(edge.At(0, 2), picture.At(3, 0));
    EXPECT_EQ(edge.At(3, 1), 0u);
}

TEST(Scale, DotsPerInchBecomeAWholeScale) {
    EXPECT_EQ(ScaleForDpi(96), 1);
    EXPECT_EQ(ScaleForDpi(143), 1);  // 1.49
    EXPECT_EQ(ScaleForDpi(144), 2);  // 1.5
    EXPECT_EQ(ScaleForDpi(192), 2);
    EXPECT_EQ(ScaleForDpi(288), 3);
    EXPECT_EQ(ScaleForDpi(600), 3);
    EXPECT_EQ(ScaleForDpi(0), 1);
    EXPECT_EQ(FloorDiv(-1, 2), -1);
    EXPECT_EQ(FloorDiv(-2, 2), -1);
    EXPECT_EQ(FloorDiv(5, 2), 2);
}

namespace {

class ScaleTest : public BoardTest {
public:
    ScaleTest() { platform.SetScreen(2400, 1800, 32); }
    Rect OnScreen(Form& f) { return Rec(f).Bounds(); }
};

}  // namespace

TEST_F(ScaleTest, TheDesktopsScaleIsUsedUnlessThePlayerChoseOne) {
    platform.SetPreferredScale(2);
    platform.SetScreen(2400, 1800, 32);
    ResetGameState();
    app = StartProgram(platform);
    frmMain->Show();
    EXPECT_EQ(app->Scale(), 2);
    EXPECT_EQ(OnScreen(Main()).Width, 1056);
    EXPECT_EQ(OnScreen(Main()).Height, 840);
    EXPECT_EQ(Rec(Main()).Shape()->Width(), 1056);
    Stop();

    // A stored choice wins over the desktop; nonsense is no choice.
    for (const auto& [stored, expected] : std::vector<std::pair<std::string, int>>{{"3", 3}, {"1", 1}, {"0", 2}, {"7", 2}, {"x", 2}}) {
        Stored("Scale", stored, "Windows");
        ResetGameState();
        app = StartProgram(platform);
        EXPECT_EQ(app->Scale(), expected) << stored;
        Stop();
    }
}

TEST_F(ScaleTest, F10CyclesTheScaleAtOnceKeepingTheBoardsCornerAndTheGame) {
    Start();
    ASSERT_EQ(app->Scale(), 1);
    Key(Key::Function(11));  // the timer shows, beside the board
    Drop(3, 1);
    Drop(5, 2);
    const Rect before = OnScreen(Main());
    const Rect timerBefore = OnScreen(*frmTimer);
    ASSERT_EQ(timerBefore.Left, before.Left + before.Width);

    // The message window shows its picture at the scale of the moment: one
    // shown at 1x before the change, and again after it.
    auto plateShown = [&] {
        Bitmap shown;
        platform.Script([&] {
            shown = Rec(*frmMessage).Presented();
            platform.KeyPress(Key::Enter);
        });
        Key(Key::Space);  // the row is not full
        EXPECT_EQ(frmMessage->MessageKind, mkFill);
        const int s = app->Scale();
        const Bitmap picture = *PictureAt(PictureWindow::Message, "imgFill", s);
        for (int y = 0; y < MessageLayout::Plate.Height * s; ++y)
            for (int x = 0; x < MessageLayout::Plate.Width * s; ++x)
                if (shown.At(MessageLayout::Plate.Left * s + x, MessageLayout::Plate.Top * s + y) != picture.At(x, y))
                    return false;
        return true;
    };
    EXPECT_TRUE(plateShown());

    Key(Key::Function(10));
    EXPECT_EQ(app->Scale(), 2);
    EXPECT_TRUE(plateShown());
    S = 2;  // the player's hand and the screen checks at the new scale
    EXPECT_EQ(OnScreen(Main()), (Rect{before.Left, before.Top, 1056, 840}));
    EXPECT_EQ(*platform.StoreContents()->Find("Windows", "Scale"), "2");
    // The game goes on where it was, drawn at the new scale.
    EXPECT_EQ(BoardState.Guesses[12][1], 3);
    EXPECT_EQ(BoardState.Guesses[12][2], 5);
    EXPECT_TRUE(ScreenShowsBackBuffer());
    EXPECT_EQ(*Rec(Main()).Shape(), BoardRenderer::BuildShape(app->Scale()));
    EXPECT_EQ(Rec(Main()).Shape()->Width(), 1056);
    // The timer still touches the board's edge, and shows its time again.
    EXPECT_EQ(OnScreen(*frmTimer).Left, before.Left + 1056);
    EXPECT_EQ(OnScreen(*frmTimer).Width, timerBefore.Width * 2);
    const Bitmap& timer = Rec(*frmTimer).Presented();
    Bitmap digits = Bitmap::Logical(TimerLayout::Width, TimerLayout::Height, 2);
    DrawDigits(app->Pictures(), digits, 0, 0, NumToStrWidth(BoardState.ElapsedTime, TimerLayout::TimeChars));
    for (int y = 0; y < Layout::DigitHeight * 2; ++y)
        for (int x = 0; x < Layout::DigitWidth * TimerLayout::TimeChars * 2; ++x)
            ASSERT_EQ(timer.At(TimerLayout::TimeText.X * 2 + x, TimerLayout::TimeText.Y * 2 + y), digits.At(x, y));
    // Play at the new scale: a drop by the pointer at twice the pixels.
    // 12 logical pixels from a hole's centre still hit it; 13 do not.
    Drag(board::ColorCentre(7), {board::HoleCentre(3, 12).X + 13, board::HoleCentre(3, 12).Y});
    EXPECT_EQ(BoardState.Guesses[12][3], 0);
    Drag(board::ColorCentre(7), {board::HoleCentre(3, 12).X + 12, board::HoleCentre(3, 12).Y});
    EXPECT_EQ(BoardState.Guesses[12][3], 7);

    Key(Key::Function(10));
    EXPECT_EQ(app->Scale(), 3);
    S = 3;
    EXPECT_EQ(OnScreen(Main()), (Rect{before.Left, before.Top, 1584, 1260}));
    EXPECT_TRUE(ScreenShowsBackBuffer());
    Key(Key::Function(10));
    EXPECT_EQ(app->Scale(), 1);
    S = 1;
    EXPECT_EQ(OnScreen(Main()), before);
    EXPECT_TRUE(ScreenShowsBackBuffer());
    EXPECT_EQ(*platform.StoreContents()->Find("Windows", "Scale"), "1");

    // Each next part starts as a first run would, on an empty store.
    auto freshRun = [this] {
        Stop();
        platform.StoreContents()->Values.clear();
        platform.SetScreen(2400, 1800, 32);
        platform.SetWorkArea({});
        S = 1;
    };

    // Places come back to the screen pixel at every scale.
    {
        SCOPED_TRACE("places at 2x and 3x");
        freshRun();
        for (int scale : {2, 3}) {
            Start();
            Key(Key::Function(11));
            while (app->Scale() != scale) Key(Key::Function(10));
            // Places that fall between logical pixels.
            platform.MoveFromOutside(Main().PlatformWindow(), 200, 151);
            platform.MoveFromOutside(frmTimer->PlatformWindow(), 901, 17);
            // A drag by whole logical pixels keeps the odd screen pixel.
            const Rect before = OnScreen(*frmTimer);
            const int y = before.Top + before.Height / 2;
            platform.PointerDown(before.Left + 8 * scale, y);
            platform.PointerMove(before.Left + 13 * scale, y);
            platform.PointerUp(before.Left + 13 * scale, y);
            EXPECT_EQ(OnScreen(*frmTimer).Left, 901 + 5 * scale) << scale;
            Stop();
            const auto& store = *platform.StoreContents();
            EXPECT_EQ(*store.Find("Windows", "MainLeft"), "200") << scale;
            EXPECT_EQ(*store.Find("Windows", "MainTop"), "151") << scale;
            EXPECT_EQ(*store.Find("Windows", "TimerLeft"), std::to_string(901 + 5 * scale)) << scale;
            EXPECT_EQ(*store.Find("Windows", "TimerTop"), "17") << scale;
            Start();
            EXPECT_EQ(app->Scale(), scale);
            EXPECT_EQ(OnScreen(Main()).Left, 200);
            EXPECT_EQ(OnScreen(Main()).Top, 151);
            EXPECT_EQ(OnScreen(*frmTimer).Left, 901 + 5 * scale);
            Stop();
            platform.StoreContents()->Set("Windows", "Scale", "1");
            platform.StoreContents()->Set("Game", "ViewTimer", "0");
        }
    }

    // The board opens only at a scale it fits and within the work area.
    {
        SCOPED_TRACE("a scale the board fits");
        freshRun();
        // A 1024 x 768 screen asking for 2x: the 1056 x 840 board would not fit,
        // so it opens at 1x, wholly on the screen below a panel.
        platform.SetScreen(1024, 768, 32);
        platform.SetWorkArea({0, 24, 1024, 744});
        platform.SetPreferredScale(2);
        ResetGameState();
        app = StartProgram(platform);
        frmMain->Show();
        EXPECT_EQ(app->Scale(), 1);
        const Rect board = OnScreen(Main());
        EXPECT_GE(board.Left, 0);
        EXPECT_GE(board.Top, 24);
        EXPECT_LE(board.Right(), 1024);
        EXPECT_LE(board.Bottom(), 768);
        // F10 has nothing larger to go to, and so chooses nothing: a larger
        // screen later still gets the desktop's scale.
        Key(Key::Function(10));
        EXPECT_EQ(app->Scale(), 1);
        EXPECT_EQ(platform.StoreContents()->Find("Windows", "Scale"), nullptr);
        Stop();

        // A stored 3x from a bigger screen is not used where the board cannot
        // fit, and the player's choice stays stored for that screen.
        Stored("Scale", "3", "Windows");
        platform.SetScreen(1600, 1000, 32);
        platform.SetWorkArea({});
        ResetGameState();
        app = StartProgram(platform);
        frmMain->Show();
        EXPECT_EQ(app->Scale(), 2);
        EXPECT_EQ(*platform.StoreContents()->Find("Windows", "Scale"), "3");
        // F10 goes 2, 1, 2: 3 is passed over.
        Key(Key::Function(10));
        EXPECT_EQ(app->Scale(), 1);
        Key(Key::Function(10));
        EXPECT_EQ(app->Scale(), 2);
    }
}

TEST_F(ScaleTest, AScreenOfAnotherDensityRescalesUnlessThePlayerChoseAScale) {
    Start();
    platform.ChangeScreenScale(Main().PlatformWindow(), 2);
    EXPECT_EQ(app->Scale(), 2);
    EXPECT_EQ(OnScreen(Main()).Width, 1056);
    EXPECT_EQ(platform.StoreContents()->Find("Windows", "Scale"), nullptr);  // the desktop's, not kept
    Key(Key::Function(10));  // the player's own: 3
    platform.ChangeScreenScale(Main().PlatformWindow(), 1);
    EXPECT_EQ(app->Scale(), 3);
}
