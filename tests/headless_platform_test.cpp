// The headless backend: input routing (z-order, shapes, capture, modal
// loops), mouse leave, the virtual clock and its timers, scripted loops that
// cannot hang, and the recorded message boxes, help requests and store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"

namespace {

// Writes every event it gets into a shared log as a short line.
class Recorder : public WindowEvents {
public:
    Recorder(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void OnPaint() override { Log("paint"); }
    void OnMouseDown(const MouseEvent& e) override { Log("down", e); }
    void OnMouseMove(const MouseEvent& e) override { Log("move", e); }
    void OnMouseUp(const MouseEvent& e) override { Log("up", e); }
    void OnMouseLeave() override { Log("leave"); }
    void OnKeyDown(int key, unsigned mods) override { Log("key " + std::to_string(key) + " " + std::to_string(mods)); }
    void OnCloseRequest() override { Log("close?"); }
    void OnCaptureLost() override { Log("capture lost"); }

private:
    void Log(const std::string& what) { log_.push_back(name_ + " " + what); }
    void Log(const std::string& what, const MouseEvent& e) {
        std::string s = what + " " + std::to_string(e.X) + "," + std::to_string(e.Y);
        if (e.Clicks == 2) s += " double";
        if (e.Modifiers & Modifier::Ctrl) s += " ctrl";
        if (what != "move" && e.Button == MouseButton::Right) s += " right";
        Log(s);
    }
    std::string name_;
    std::vector<std::string>& log_;
};

class HeadlessTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    std::vector<std::string> log;
    Recorder aEvents{"A", log}, bEvents{"B", log};
    std::unique_ptr<Window> a = platform.OpenWindow(aEvents);
    std::unique_ptr<Window> b = platform.OpenWindow(bEvents);

    void SetUp() override {
        a->SetBounds({100, 100, 200, 100});
        b->SetBounds({250, 150, 100, 100});  // overlaps A's lower right
        a->Show();
        b->Show();  // B in front
    }
    HeadlessWindow& Rec(const std::unique_ptr<Window>& w) { return static_cast<HeadlessWindow&>(*w); }
};

}  // namespace

TEST_F(HeadlessTest, WindowsAreInspectableRecords) {
    EXPECT_EQ(a->Bounds(), (Rect{100, 100, 200, 100}));
    EXPECT_TRUE(a->Visible());
    ASSERT_EQ(platform.ZOrder().size(), 2u);
    EXPECT_EQ(platform.ZOrder()[0], &Rec(b));
    EXPECT_EQ(platform.Active(), &Rec(b));
    a->BringToFront();
    EXPECT_EQ(platform.ZOrder()[0], &Rec(a));
    EXPECT_EQ(platform.Active(), &Rec(a));

    a->SetTitle("Quor Vex the Ultimate Game");
    EXPECT_EQ(platform.WindowTitled("Quor Vex the Ultimate Game"), &Rec(a));

    Region shape(200, 100, RectShape(0, 0, 10, 10));
    a->SetShape(&shape);
    ASSERT_TRUE(Rec(a).Shape());
    EXPECT_EQ(*Rec(a).Shape(), shape);
    a->SetShape(nullptr);
    EXPECT_FALSE(Rec(a).Shape());

    b->Hide();
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(platform.Active(), &Rec(a));
}

TEST_F(HeadlessTest, PresentKeepsWhatWasPresentedAndClipsTheDirtyRectangle) {
    Bitmap surface(200, 100, 0x00112233);
    a->Present(surface, {10, 20, 5, 5});
    const Bitmap& shown = Rec(a).Presented();
    ASSERT_EQ(shown.Width, 200);
    EXPECT_EQ(shown.At(10, 20), 0x00112233u);
    EXPECT_EQ(shown.At(14, 24), 0x00112233u);
    EXPECT_EQ(shown.At(15, 24), 0u);
    surface = Bitmap(200, 100, 0x00445566);
    a->Present(surface, {190, 90, 50, 50});  // hangs over the window's edge
    EXPECT_EQ(shown.At(199, 99), 0x00445566u);
    EXPECT_EQ(shown.At(10, 20), 0x00112233u);
    EXPECT_EQ(Rec(a).LastPresentedRect(), (Rect{190, 90, 10, 10}));
    EXPECT_EQ(Rec(a).PresentCount(), 2);
}

TEST_F(HeadlessTest, MouseGoesToFrontWindowUnderPointerInClientCoordinates) {
    platform.Click(260, 160);  // in both; B is in front
    platform.Click(120, 110, MouseButton::Right, Modifier::Ctrl);
    const std::vector<std::string> want = {"B down 10,10", "B up 10,10", "B leave", "A down 20,10 ctrl right",
                                           "A up 20,10 ctrl right"};
    EXPECT_EQ(log, want);
    EXPECT_EQ(platform.Active(), &Rec(a));  // the press raised A
    EXPECT_EQ(platform.ZOrder()[0], &Rec(a));
}

TEST_F(HeadlessTest, ShapeDecidesWhichWindowThePointHits) {
    // Cut B's top-left 20x20 away: a click there falls through to A.
    Region shape(100, 100, RectShape(0, 0, 100, 100));
    shape.Difference(RectShape(0, 0, 20, 20));
    b->SetShape(&shape);
    platform.PointerMove(255, 155);
    platform.PointerMove(275, 175);
    const std::vector<std::string> want = {"A move 155,55", "A leave", "B move 25,25"};
    EXPECT_EQ(log, want);
}

TEST_F(HeadlessTest, CaptureSendsEventsOutsideTheWindowAndHoldsBackLeave) {
    platform.PointerDown(120, 110);  // on A only
    a->CaptureMouse();
    EXPECT_TRUE(Rec(a).HasCapture());
    platform.PointerMove(10, 5);      // far outside, on no window
    platform.PointerMove(300, 200);   // over B
    platform.PointerUp(300, 200);
    a->ReleaseMouse();                // now the pointer is over B
    const std::vector<std::string> want = {"A down 20,10", "A move -90,-95", "A move 200,100", "A up 200,100",
                                           "A leave"};
    EXPECT_EQ(log, want);
    EXPECT_EQ(platform.Captured(), nullptr);
    // Hiding a window takes its capture away.
    b->CaptureMouse();
    b->Hide();
    EXPECT_EQ(platform.Captured(), nullptr);
}

TEST_F(HeadlessTest, DoubleClickIsPressReleasePressWithTwoClicks) {
    platform.DoubleClick(300, 200);
    const std::vector<std::string> want = {"B down 50,50", "B up 50,50", "B down 50,50 double", "B up 50,50"};
    EXPECT_EQ(log, want);
}

TEST_F(HeadlessTest, PressesPairOnlyWhenCloseInTimePlaceAndWindow) {
    auto presses = [&] {
        std::vector<std::string> downs;
        for (const std::string& line : log)
            if (line.find(" down ") != std::string::npos) downs.push_back(line);
        log.clear();
        return downs;
    };
    platform.Click(300, 200);
    platform.Advance(501);
    platform.Click(300, 200);  // too slow
    platform.Advance(100);
    platform.Click(303, 200);  // too far
    platform.Click(303, 200);
    platform.Click(303, 200);  // a third press starts over
    EXPECT_EQ(presses(), (std::vector<std::string>{"B down 50,50", "B down 50,50", "B down 53,50", "B down 53,50 double",
                                                   "B down 53,50"}));
    platform.Click(300, 200, MouseButton::Right);  // a right press in between breaks the pair
    platform.Click(300, 200);
    platform.Click(300, 200, MouseButton::Right);
    platform.Click(300, 200);
    platform.Click(120, 110);  // another window
    EXPECT_EQ(presses(), (std::vector<std::string>{"B down 50,50 right", "B down 50,50", "B down 50,50 right",
                                                   "B down 50,50", "A down 20,10"}));
}

TEST_F(HeadlessTest, AModalWindowTakesAHeldPressAwayAndItsReleaseGoesNowhere) {
    // A is pressed and holds the capture when B's modal loop starts.
    platform.PointerDown(120, 110);
    a->CaptureMouse();
    bool done = false;
    platform.Script([&] { platform.PointerUp(120, 110); });          // A's release, now for nobody
    platform.Script([&] { platform.PointerMove(130, 110); });        // behind the modal window
    platform.Script([&] { platform.Click(300, 200); });              // B still takes its own clicks
    platform.Script([&] { done = true; });
    log.clear();
    EXPECT_TRUE(platform.RunModal(*b, [&] { return done; }));
    EXPECT_EQ(log, (std::vector<std::string>{"A capture lost", "A leave", "B down 50,50", "B up 50,50"}));
    EXPECT_EQ(platform.Captured(), nullptr);
    EXPECT_EQ(platform.DroppedInputs(), 2);  // the release and the move
    // Afterwards A's input is A's again, and a release without a press is nobody's.
    log.clear();
    platform.PointerUp(120, 110);
    platform.Click(120, 110);
    EXPECT_EQ(log, (std::vector<std::string>{"B leave", "A down 20,10", "A up 20,10"}));
}

TEST_F(HeadlessTest, AltF4IsOneCloseRequestAndTheSessionEndReachesTheFirstWindowThroughAModalOne) {
    platform.KeyPressTo(*b, Key::Function(4), Modifier::Alt);
    platform.KeyPressTo(*b, Key::Function(4));  // F4 alone is a key
    platform.Script([&] { platform.EndSession(); });
    platform.Script([&] { log.push_back("must not run"); });
    EXPECT_FALSE(platform.RunModal(*b, [] { return false; }));
    EXPECT_TRUE(platform.QuitRequested());
    EXPECT_EQ(log, (std::vector<std::string>{"B close?", "B key 115 0", "A close?"}));
    platform.EndSession();  // said once
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(HeadlessTest, AWindowMovedFromOutsideTakesInputAtItsNewPlace) {
    platform.MoveFromOutside(*b, 600, 400);
    EXPECT_EQ(b->Bounds(), (Rect{600, 400, 100, 100}));
    platform.Click(610, 405);
    platform.Click(280, 180);  // where B was: now A's
    EXPECT_EQ(log, (std::vector<std::string>{"B down 10,5", "B up 10,5", "B leave", "A down 180,80", "A up 180,80"}));
}

TEST_F(HeadlessTest, KeysAndCloseRequestsGoToTheirWindow) {
    platform.KeyPress(Key::Space);
    platform.KeyPressTo(*a, Key::Function(2), Modifier::Shift);
    platform.RequestClose(*a);
    platform.Expose(*b);
    const std::vector<std::string> want = {"B key 32 0", "A key 113 1", "A close?", "B paint"};
    EXPECT_EQ(log, want);
}

TEST_F(HeadlessTest, TimersFireOnTheVirtualClockInOrder) {
    std::vector<std::string> ticks;
    const TimerId second = platform.StartTimer(1000, [&] { ticks.push_back("1s@" + std::to_string(platform.Now())); });
    platform.StartTimer(400, [&] { ticks.push_back("400@" + std::to_string(platform.Now())); });
    platform.Advance(999);
    EXPECT_EQ(ticks, (std::vector<std::string>{"400@400", "400@800"}));
    ticks.clear();
    platform.Advance(1201);  // to 2200
    EXPECT_EQ(ticks, (std::vector<std::string>{"1s@1000", "400@1200", "400@1600", "1s@2000", "400@2000"}));
    EXPECT_EQ(platform.Now(), 2200);
    platform.StopTimer(second);
    platform.StopTimer(second);  // twice is harmless
    ticks.clear();
    platform.Advance(1000);  // the 400 ms timer alone: 2400, 2800, 3200
    EXPECT_EQ(ticks, (std::vector<std::string>{"400@2400", "400@2800", "400@3200"}));
    EXPECT_EQ(platform.StartTimer(0, [] {}), 0);
}

TEST_F(HeadlessTest, ATimerCanStopItselfFromItsTick) {
    int count = 0;
    TimerId id = 0;
    id = platform.StartTimer(1000, [&] {
        if (++count == 3) platform.StopTimer(id);
    });
    platform.Advance(10000);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(platform.ActiveTimers(), 0);
}

TEST_F(HeadlessTest, ModalLoopReturnsKeepsTimersTickingAndDropsOtherInput) {
    bool done = false;
    int ticks = 0;
    platform.StartTimer(1000, [&] { ++ticks; });
    platform.Script([&] { platform.Advance(3000); });
    platform.Script([&] {
        platform.Click(120, 110);             // A is not the modal window
        platform.KeyPressTo(*a, Key::Enter);  // keys belong to the modal window wherever the focus is
        platform.RequestClose(*a);
        platform.Expose(*a);                  // painting goes on
    });
    platform.Script([&] { platform.Click(300, 200); });  // B is
    platform.Script([&] {
        platform.KeyPress(Key::Escape);
        done = true;
    });
    platform.Script([&] { ticks = -100; });  // must not run: the loop has ended
    EXPECT_TRUE(platform.RunModal(*b, [&] { return done; }));
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(platform.DroppedInputs(), 3);  // press, release, close
    // Behind the modal window A only paints: not even the pointer leaving it
    // reaches it.
    const std::vector<std::string> want = {"B key 13 0", "A paint", "B down 50,50", "B up 50,50", "B key 27 0"};
    EXPECT_EQ(log, want);
    EXPECT_EQ(platform.ModalDepth(), 0);
    EXPECT_EQ(platform.PendingSteps(), 1u);
    EXPECT_EQ(platform.Stalls(), 0);
}

TEST_F(HeadlessTest, NestedModalLoopsEachTakeInputInTurn) {
    // One script, one timeline: the inner loop works through the steps that
    // follow the one that opened it, until its condition holds.
    bool outerDone = false, innerDone = false;
    platform.Script([&] {
        EXPECT_TRUE(platform.RunModal(*b, [&] { return innerDone; }));
        EXPECT_EQ(platform.ModalDepth(), 1);
    });
    platform.Script([&] { platform.Click(120, 110); });  // inner loop: A is dropped
    platform.Script([&] { innerDone = true; });
    platform.Script([&] { platform.Click(120, 110); });  // outer loop: A takes it
    platform.Script([&] { outerDone = true; });
    EXPECT_TRUE(platform.RunModal(*a, [&] { return outerDone; }));
    EXPECT_EQ(platform.DroppedInputs(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"A down 20,10", "A up 20,10"}));
    EXPECT_EQ(platform.Stalls(), 0);
}

TEST_F(HeadlessTest, ModalLoopWithNothingLeftToDoEndsAsAFailure) {
    platform.Script([] {});
    EXPECT_FALSE(platform.RunModal(*a, [] { return false; }));
    EXPECT_EQ(platform.Stalls(), 1);
    EXPECT_EQ(platform.ModalDepth(), 0);
}

TEST_F(HeadlessTest, QuitEndsModalAndMainLoops) {
    platform.Script([&] { platform.Quit(); });
    platform.Script([&] { ADD_FAILURE() << "ran after quit"; });
    EXPECT_FALSE(platform.RunModal(*a, [] { return false; }));
    EXPECT_EQ(platform.Stalls(), 0);
    platform.Run();  // returns at once: quit stays requested
    EXPECT_TRUE(platform.QuitRequested());
}

TEST_F(HeadlessTest, MainLoopWorksThroughTheScript) {
    int steps = 0;
    platform.Script([&] { ++steps; });
    platform.Script([&] { ++steps; });
    platform.Run();
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(platform.PendingSteps(), 0u);
}

TEST(HeadlessPlatformServices, RecordsMessagesHelpCursorAndScreen) {
    HeadlessPlatform platform;
    platform.SetScreen(1024, 768, 8);
    EXPECT_EQ(platform.ScreenWidth(), 1024);
    EXPECT_EQ(platform.ScreenBitsPerPixel(), 8);
    platform.ShowMessage("QuorVex", "QuorVex needs 16-bit or True-color graphic modes to run properly!");
    ASSERT_EQ(platform.Messages().size(), 1u);
    EXPECT_EQ(platform.Messages()[0].Title, "QuorVex");

    EXPECT_TRUE(platform.OpenHelp("/opt/quorvex/QuorVex.html"));
    platform.SetHelpAvailable(false);
    EXPECT_FALSE(platform.OpenHelp("/nowhere"));
    EXPECT_EQ(platform.HelpRequests(), (std::vector<std::string>{"/opt/quorvex/QuorVex.html", "/nowhere"}));

    EXPECT_EQ(platform.DefinedCursor(CursorKind::ClosedHand), nullptr);
    CursorImage fist{Bitmap(32, 32), Region(32, 32, EllipseShape(4, 4, 28, 28)), 15, 15};
    platform.DefineCursor(CursorKind::ClosedHand, fist);
    platform.SetCursor(CursorKind::ClosedHand);
    EXPECT_EQ(platform.Cursor(), CursorKind::ClosedHand);
    ASSERT_NE(platform.DefinedCursor(CursorKind::ClosedHand), nullptr);
    EXPECT_EQ(platform.DefinedCursor(CursorKind::ClosedHand)->HotX, 15);

    platform.SetProgramPath("C:\\Games\\QuorVex.exe");
    EXPECT_EQ(platform.ProgramPath(), "C:\\Games\\QuorVex.exe");
}

TEST(HeadlessPlatformServices, StoresShareOneMemoryContents) {
    HeadlessPlatform platform;
    {
        auto store = platform.OpenStore();
        ASSERT_TRUE(store);
        EXPECT_TRUE(store->WriteText("Windows", "MainLeft", "-20"));
    }
    auto again = platform.OpenStore();
    EXPECT_EQ(again->ReadText("Windows", "MainLeft"), std::optional<std::string>("-20"));
    EXPECT_NE(platform.StoreContents()->Find("Windows", "MainLeft"), nullptr);
}

TEST(HeadlessPlatformServices, DestroyedWindowIsForgotten) {
    HeadlessPlatform platform;
    std::vector<std::string> log;
    Recorder events("W", log);
    auto w = platform.OpenWindow(events);
    w->SetBounds({0, 0, 10, 10});
    w->Show();
    w->CaptureMouse();
    w.reset();
    EXPECT_TRUE(platform.Windows().empty());
    EXPECT_EQ(platform.Captured(), nullptr);
    EXPECT_EQ(platform.Active(), nullptr);
    platform.Click(5, 5);  // nothing to deliver to, nothing to crash on
    EXPECT_TRUE(log.empty());
}
