// The forms framework on the headless backend: pictures taking the pointer
// where visible, hover overlays and clicks, painting, capture, double
// clicks, modal loops with results and ticking timers, close queries, the
// main form ending the program, and the creation and destruction hooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Form.h"
#include "forms/Timer.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

constexpr uint32_t Skin = 0x00204060, Lit = 0x00C08040, Board = 0x00000080;

// A side window as the game builds them: a background picture filling the
// window, an Ok overlay that shows under the pointer, dragging by the
// background, and its place kept in the store.
class SideForm : public Form {
public:
    SideForm(Application& app, std::vector<std::string>& log, std::string name)
        : Form(app, 100, 60), log_(log), name_(std::move(name)), background(AddPicture({0, 0, 100, 60})),
          ok(AddPicture({70, 40, 20, 10})) {
        background.Image = Bitmap(100, 60, Skin);
        ok.Image = Bitmap(20, 10, Lit);
        ok.Hide();
        background.OnMouseDown = [this](const MouseEvent& e) {
            log_.push_back(name_ + " bg down " + std::to_string(e.X) + "," + std::to_string(e.Y));
            if (e.Button != MouseButton::Left) return;
            dragging = true;
            dragX = e.X, dragY = e.Y;
        };
        background.OnMouseMove = [this](const MouseEvent& e) {
            if (dragging) {
                MoveTo(Left() + e.X - dragX, Top() + e.Y - dragY);
                return;
            }
            ok.SetVisible(PointInArea(e.X, e.Y, 70, 40, 20, 10));
        };
        background.OnMouseUp = [this](const MouseEvent& e) {
            if (e.Button == MouseButton::Left) dragging = false;
        };
        background.OnDblClick = [this] { log_.push_back(name_ + " bg double"); };
        ok.OnClick = [this] {
            log_.push_back(name_ + " ok");
            if (Modal())
                SetModalResult(mrOk);
            else
                Close();
        };
        ok.OnMouseUp = [this](const MouseEvent&) { log_.push_back(name_ + " ok up"); };
    }

    void OnCreate() override {
        log_.push_back(name_ + " create");
        auto store = App().System().OpenStore();
        auto left = store->ReadText("Windows", name_ + "Left");
        MoveTo(left ? std::stoi(*left) : (App().System().ScreenWidth() - Width()) / 2, 10);
    }
    void OnDestroy() override {
        log_.push_back(name_ + " destroy");
        App().System().OpenStore()->WriteText("Windows", name_ + "Left", std::to_string(Left()));
    }
    void OnShow() override { ok.Hide(); }
    bool OnCloseQuery() override { return !refuseClose; }
    void OnMouseLeave() override {
        if (onLeave) onLeave();
    }
    void OnKeyDown(int key, unsigned) override {
        log_.push_back(name_ + " key " + std::to_string(key));
        if (key == Key::Escape) SetModalResult(mrCancel);
    }

    std::vector<std::string>& log_;
    std::string name_;
    Picture& background;
    Picture& ok;
    bool dragging = false;
    int dragX = 0, dragY = 0;
    bool refuseClose = false;
    std::function<void()> onLeave;
};

// A main window like the board: no pictures shown, its own paint and mouse
// handlers.
class MainForm : public Form {
public:
    MainForm(Application& app, std::vector<std::string>& log) : Form(app, 200, 100), log_(log) {}
    void OnPaint() override { Canvas() = Bitmap(Width(), Height(), Board); }
    void OnMouseDown(const MouseEvent& e) override { Log("down", e); }
    void OnMouseMove(const MouseEvent& e) override { Log("move", e); }
    void OnMouseUp(const MouseEvent& e) override {
        Log("up", e);
        if (onRelease) onRelease();
    }
    void OnDblClick() override { log_.push_back("main double"); }
    void OnMouseLeave() override { log_.push_back("main leave"); }
    void OnKeyDown(int key, unsigned) override { log_.push_back("main key " + std::to_string(key)); }
    void OnClose() override { log_.push_back("main close"); }
    void OnDestroy() override { log_.push_back("main destroy"); }
    void Log(const std::string& what, const MouseEvent& e) {
        log_.push_back("main " + what + " " + std::to_string(e.X) + "," + std::to_string(e.Y));
    }
    std::vector<std::string>& log_;
    std::function<void()> onRelease;
};

class FormsTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    std::vector<std::string> log;
    Application app{platform};
    MainForm& main = app.CreateForm<MainForm>(log);
    SideForm& side = app.CreateForm<SideForm>(log, "Side");

    HeadlessWindow& Rec(Form& f) { return static_cast<HeadlessWindow&>(f.PlatformWindow()); }
    // Screen point of a client point of a form.
    int X(Form& f, int x) { return f.Left() + x; }
    int Y(Form& f, int y) { return f.Top() + y; }
};

}  // namespace

TEST_F(FormsTest, CreateRunsHooksAndFirstFormIsMain) {
    EXPECT_EQ(app.MainForm(), &main);
    EXPECT_EQ(log, (std::vector<std::string>{"Side create"}));
    EXPECT_EQ(side.Left(), (1024 - 100) / 2);  // nothing stored: centred
    EXPECT_FALSE(side.Visible());
}

TEST_F(FormsTest, ShowComposesBackgroundAndVisiblePicturesAndPresentsThem) {
    side.ok.Show();  // shown before the window: OnShow hides it again
    side.Show();
    const Bitmap& screen = Rec(side).Presented();
    EXPECT_EQ(screen.At(75, 45), Skin);
    EXPECT_EQ(platform.Active(), &Rec(side));

    side.ok.Show();
    EXPECT_EQ(screen.At(75, 45), Lit);
    EXPECT_EQ(screen.At(69, 45), Skin);
    EXPECT_EQ(Rec(side).LastPresentedRect(), (Rect{70, 40, 20, 10}));
    side.ok.Hide();
    EXPECT_EQ(screen.At(75, 45), Skin);

    // Drawing into a picture shows after its Repaint.
    side.background.Image.At(5, 5) = 0x00FFFFFF;
    EXPECT_EQ(screen.At(5, 5), Skin);
    side.background.Repaint();
    EXPECT_EQ(screen.At(5, 5), 0x00FFFFFFu);

    main.Show();
    EXPECT_EQ(Rec(main).Presented().At(150, 90), Board);
}

TEST_F(FormsTest, HoverOverlayTakesThePointerOnlyWhileVisible) {
    side.Show();
    platform.PointerMove(X(side, 10), Y(side, 10));
    EXPECT_FALSE(side.ok.Visible());
    platform.PointerMove(X(side, 75), Y(side, 45));  // into the Ok rectangle
    EXPECT_TRUE(side.ok.Visible());
    platform.Click(X(side, 75), Y(side, 45));  // the overlay takes the click
    EXPECT_EQ(log, (std::vector<std::string>{"Side create", "Side ok", "Side ok up"}));
    EXPECT_FALSE(side.Visible());  // not modal: Ok closed (hid) it

    // Shown again, the overlay is hidden and the same point is background.
    side.Show();
    EXPECT_FALSE(side.ok.Visible());
    log.clear();
    platform.PointerDown(X(side, 75), Y(side, 45), MouseButton::Right);
    EXPECT_EQ(log, (std::vector<std::string>{"Side bg down 75,45"}));
}

TEST_F(FormsTest, ClickNeedsPressAndReleaseOnTheSamePicture) {
    side.Show();
    platform.PointerMove(X(side, 75), Y(side, 45));
    ASSERT_TRUE(side.ok.Visible());
    platform.PointerDown(X(side, 75), Y(side, 45));
    platform.PointerUp(X(side, 10), Y(side, 10));  // released off the overlay
    EXPECT_TRUE(side.Visible());
    platform.PointerDown(X(side, 10), Y(side, 10));  // pressed on the background...
    platform.PointerMove(X(side, 75), Y(side, 45));
    side.ok.Show();
    platform.PointerUp(X(side, 75), Y(side, 45));  // ...released on the overlay
    EXPECT_TRUE(side.Visible());
    for (const auto& line : log) EXPECT_NE(line, "Side ok");
}

TEST_F(FormsTest, LeftPressCapturesForItsTargetAndDragMovesTheWindow) {
    side.Show();
    const int left = side.Left(), top = side.Top();
    platform.PointerDown(X(side, 20), Y(side, 20));
    EXPECT_EQ(platform.Captured(), &Rec(side));
    // Far outside the window, the background still gets the moves and the
    // window follows; the hover overlay does not change while dragging.
    platform.PointerMove(left + 20 - 300, top + 20 + 200);
    EXPECT_EQ(side.Left(), left - 300);
    EXPECT_EQ(side.Top(), top + 200);
    platform.PointerMove(side.Left() + 75, side.Top() + 45);
    EXPECT_FALSE(side.ok.Visible());
    platform.PointerUp(side.Left() + 75, side.Top() + 45);
    EXPECT_EQ(platform.Captured(), nullptr);
    EXPECT_FALSE(side.dragging);
}

TEST_F(FormsTest, FormHandlersGetWhatNoPictureCoversAndCaptureReachesOutside) {
    main.MoveTo(300, 300);
    main.Show();
    platform.PointerDown(310, 320);
    platform.PointerMove(250, 290);  // outside the window, still captured
    platform.PointerUp(250, 290);
    platform.PointerMove(900, 700);  // no capture now: the pointer left
    const std::vector<std::string> want = {"Side create", "main down 10,20", "main move -50,-10", "main up -50,-10",
                                           "main leave"};
    EXPECT_EQ(log, want);
    // The board captures on its own too, and may release early.
    main.CaptureMouse();
    EXPECT_EQ(platform.Captured(), &Rec(main));
    main.ReleaseMouse();
    EXPECT_EQ(platform.Captured(), nullptr);
}

TEST_F(FormsTest, DoubleClickRunsBeforeTheSecondPress) {
    main.Show();
    side.Show();
    log.clear();
    platform.DoubleClick(X(side, 10), Y(side, 10));
    const std::vector<std::string> want = {"Side bg down 10,10", "Side bg double", "Side bg down 10,10"};
    EXPECT_EQ(log, want);
    log.clear();
    main.BringToFront();
    platform.DoubleClick(X(main, 5), Y(main, 5));
    EXPECT_EQ(log, (std::vector<std::string>{"main down 5,5", "main up 5,5", "main double", "main down 5,5",
                                             "main up 5,5"}));
}

TEST_F(FormsTest, ShowModalReturnsOkFromTheOverlayWhileTimersTickAndOthersGetNoInput) {
    main.Show();
    Timer timer(app);
    int ticks = 0;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetEnabled(true);
    side.MoveTo(500, 500);
    platform.Script([&] { platform.Advance(2500); });
    platform.Script([&] {
        platform.Click(main.Left() + 5, main.Top() + 5);  // the main window is out of reach
        platform.KeyPressTo(main.PlatformWindow(), Key::Space);
    });
    platform.Script([&] { platform.PointerMove(575, 545); });
    platform.Script([&] { platform.Click(575, 545); });
    log.clear();
    EXPECT_EQ(side.ShowModal(), mrOk);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(side.Visible());
    EXPECT_FALSE(side.Modal());
    EXPECT_EQ(platform.DroppedInputs(), 2);  // the press and release on the main window
    // The key aimed at the main window belongs to the modal one.
    EXPECT_EQ(log, (std::vector<std::string>{"Side key 32", "Side ok", "Side ok up"}));
    EXPECT_EQ(platform.Active(), &Rec(main));  // back to the main window
    platform.Advance(1000);
    EXPECT_EQ(ticks, 3);
}

TEST_F(FormsTest, ShowModalEndsWithCancelOnEscapeOrClose) {
    platform.Script([&] { platform.KeyPress(Key::Escape); });
    EXPECT_EQ(side.ShowModal(), mrCancel);
    platform.Script([&] { platform.RequestClose(side.PlatformWindow()); });
    EXPECT_EQ(side.ShowModal(), mrCancel);
    EXPECT_EQ(platform.Stalls(), 0);
    // Showing modally again starts from no result.
    platform.Script([&] {
        EXPECT_EQ(side.ModalResult(), mrNone);
        side.SetModalResult(mrOk);
    });
    EXPECT_EQ(side.ShowModal(), mrOk);
}

TEST_F(FormsTest, ModalLoopThatRunsOutOfScriptReturnsCancelAndCountsAStall) {
    EXPECT_EQ(side.ShowModal(), mrCancel);
    EXPECT_EQ(platform.Stalls(), 1);
    EXPECT_FALSE(side.Visible());
}

TEST_F(FormsTest, CloseQueryCanRefuse) {
    side.refuseClose = true;
    side.Show();
    platform.RequestClose(side.PlatformWindow());
    side.Close();
    EXPECT_TRUE(side.Visible());
    side.refuseClose = false;
    side.Close();
    EXPECT_FALSE(side.Visible());
    EXPECT_FALSE(platform.QuitRequested());  // a side window's close ends nothing
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheProgram) {
    platform.Script([&] { platform.RequestClose(main.PlatformWindow()); });
    platform.Script([&] { ADD_FAILURE() << "the main loop went on after the main form closed"; });
    app.Run();
    EXPECT_TRUE(platform.QuitRequested());
    EXPECT_EQ(log, (std::vector<std::string>{"Side create", "main close"}));
}

TEST_F(FormsTest, DestroyRunsHooksInReverseOrderAndPositionsPersist) {
    side.MoveTo(-40, 10);  // partly off the screen: stored as it is
    app.DestroyForms();
    EXPECT_EQ(log, (std::vector<std::string>{"Side create", "Side destroy", "main destroy"}));
    EXPECT_TRUE(platform.Windows().empty());
    EXPECT_EQ(app.MainForm(), nullptr);

    // The next run places the window where it was left.
    Application next(platform);
    next.CreateForm<MainForm>(log);
    auto& again = next.CreateForm<SideForm>(log, "Side");
    EXPECT_EQ(again.Left(), -40);
}

TEST_F(FormsTest, KeysReachTheActiveFormsHandler) {
    main.Show();
    platform.KeyPress(Key::Function(2));
    side.Show();
    platform.KeyPress(Key::Enter);
    EXPECT_EQ(log, (std::vector<std::string>{"Side create", "main key 113", "Side key 13"}));
}

TEST_F(FormsTest, ResizingKeepsTheCanvasAndWindowInStep) {
    main.SetSize(150, 120);
    EXPECT_EQ(main.Canvas().Width, 150);
    EXPECT_EQ(main.Canvas().Height, 120);
    EXPECT_EQ(main.PlatformWindow().Bounds(), (Rect{0, 0, 150, 120}));
    Region shape(150, 120, RoundRectShape(0, 0, 150, 120, 24, 24));
    main.SetShape(shape);
    ASSERT_TRUE(Rec(main).Shape());
    main.ClearShape();
    EXPECT_FALSE(Rec(main).Shape());
}

TEST(FormsTimer, SwitchingOnTwiceKeepsThePeriodAndOffToOnRestartsIt) {
    HeadlessPlatform platform;
    Application app(platform);
    Timer timer(app);
    std::vector<int64_t> at;
    timer.OnTimer = [&] { at.push_back(platform.Now()); };
    timer.SetEnabled(true);
    platform.Advance(600);
    timer.SetEnabled(true);  // already on: the tick still comes at 1000
    platform.Advance(600);
    timer.SetEnabled(false);
    platform.Advance(300);  // 1500
    timer.SetEnabled(true);
    platform.Advance(1000);
    EXPECT_EQ(at, (std::vector<int64_t>{1000, 2500}));
    EXPECT_EQ(timer.Interval(), 1000);
}

TEST(FormsApplication, ServicesUseTitleHelpFileAndProgramFolder) {
    HeadlessPlatform platform;
    platform.SetProgramPath("C:\\Games\\QuorVex\\QuorVex.exe");
    Application app(platform);
    app.Title = "QuorVex";
    EXPECT_EQ(app.AppDir(), "C:\\Games\\QuorVex\\");
    app.HelpFile = app.AppDir() + "QuorVex.hlp";
    EXPECT_TRUE(app.OpenHelpContents());
    EXPECT_EQ(platform.HelpRequests(), (std::vector<std::string>{"C:\\Games\\QuorVex\\QuorVex.hlp"}));
    app.ShowMessage("QuorVex needs 16-bit or True-color graphic modes to run properly!");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].Title, "QuorVex");
    app.SetCursor(CursorKind::ClosedHand);
    EXPECT_EQ(platform.Cursor(), CursorKind::ClosedHand);
}

TEST_F(FormsTest, ModalLoopOpenedFromAMouseHandlerStillSettlesLeaveAtOnce) {
    // The board opens its dialogs from inside its release handler; events in
    // that nested loop must behave as at the top level.
    int modalResult = -1;
    std::vector<std::string> seen;
    side.onLeave = [&] { seen.push_back("side leave"); };
    main.onRelease = [&] { modalResult = side.ShowModal(); };
    main.MoveTo(0, 0);
    main.Show();
    side.MoveTo(500, 500);
    platform.Script([&] { platform.PointerMove(510, 510); });
    platform.Script([&] {
        platform.PointerMove(900, 10);  // off the dialog, onto bare screen
        seen.push_back(side.Modal() ? "still modal" : "closed");
    });
    platform.Script([&] { platform.KeyPress(Key::Escape); });
    platform.Click(50, 50);
    EXPECT_EQ(modalResult, mrCancel);
    EXPECT_EQ(seen, (std::vector<std::string>{"side leave", "still modal"}));
    EXPECT_EQ(platform.Stalls(), 0);
}
