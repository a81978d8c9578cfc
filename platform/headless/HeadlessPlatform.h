// HeadlessPlatform: the in-process backend every test runs on. Nothing is
// shown; windows are records the test can inspect, input is injected by the
// test, time is a virtual clock the test advances, and the store lives in
// memory.
//
// It stands in for the window system only: input is given in screen
// coordinates and handed, as a window system would, to the window holding
// the pointer grab, else to the front-most visible window whose bounds and
// shape hold the point, in that window's coordinates. Where it goes from
// there (modal windows, capture, double clicks, leaves, timers) is decided
// by the same EventRouter the desktop backends feed. A test can also move
// a window the way a window manager does, behind the program's back.
//
// The loops: Run and RunModal cannot wait for a user, so they work through
// the test's script, a queue of steps (functions) added with Script. Each
// step may inject input, advance the clock or check state. Steps run in the
// order scripted, whichever loop is running: a step that opens a nested
// modal loop hands the steps after it to that loop. A loop ends when
// its condition holds (RunModal), when Quit was called, or when the script
// runs out; a modal loop that runs out of script ends with `false`, counts
// a stall and says so on stderr, so a test that forgot to close a modal
// window fails instead of hanging.
//
// Windows must be destroyed before the platform that opened them.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/EventRouter.h"
#include "platform/MemoryStore.h"
#include "platform/Platform.h"

class HeadlessPlatform;

class HeadlessWindow final : public RoutedWindow {
public:
    HeadlessWindow(HeadlessPlatform& platform, WindowEvents& events);
    ~HeadlessWindow() override;

    void SetBounds(const Rect& bounds) override;
    Rect Bounds() const override { return bounds_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    void SetShape(const Region* shape) override;
    void Present(const Bitmap& surface, const Rect& dirty) override;
    // The screen's picture of the window, lent as its surface once the
    // window was first shown: what the program draws there is what the
    // screen shows, as on a system that shows a program's memory in place,
    // and Present then copies nothing.
    uint32_t* SurfacePixels() override;
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;

protected:
    bool SystemShow(bool wasVisible) override;
    void SystemHide() override {}
    void SystemRaise() override;
    void VisibilityChanged() override;

public:
    // Inspection.
    const std::string& Title() const { return title_; }
    // The current shape; nothing when the window is a plain rectangle.
    const std::optional<Region>& Shape() const { return shape_; }
    // What the screen shows of the window, kept across presents: the
    // window's surface, or, for a picture of the program's own, every
    // presented rectangle copied into a client-sized picture. Black until
    // drawn.
    const Bitmap& Presented() const { return Screen(); }
    int PresentCount() const { return presentCount_; }
    Rect LastPresentedRect() const { return lastDirty_; }
    bool HasCapture() const;
    // True when the screen point lies on this window: visible, inside the
    // bounds and inside the shape.
    bool Covers(int screenX, int screenY) const;

private:
    friend class HeadlessPlatform;
    void Place(const Rect& bounds);
    const Bitmap& Screen() const;

    HeadlessPlatform& platform_;
    Rect bounds_;
    std::string title_;
    bool everShown_ = false;
    std::optional<Region> shape_;
    mutable Bitmap presented_;  // made at the first need, at the window's size
    int presentCount_ = 0;
    Rect lastDirty_;
};

class HeadlessPlatform final : public RoutedPlatform {
public:
    struct Message {
        std::string Title, Text;
    };

    HeadlessPlatform();
    ~HeadlessPlatform() override;

    // Set-up.
    void SetScreen(int width, int height, int bitsPerPixel);
    void SetProgramPath(const std::string& path) { programPath_ = path; }
    void SetHelpAvailable(bool available) { helpAvailable_ = available; }
    // The part of the screen windows may use; the whole screen by default.
    void SetWorkArea(const Rect& area) { workArea_ = area; }
    // The drawing scale the stand-in desktop asks for.
    void SetPreferredScale(int scale) { preferredScale_ = scale; }
    // The store's contents, shared by every store OpenStore hands out.
    const std::shared_ptr<MemoryStore::Contents>& StoreContents() const { return store_; }

    // Platform.
    std::unique_ptr<Window> OpenWindow(WindowEvents& events) override;
    int ScreenWidth() const override { return screenWidth_; }
    int ScreenHeight() const override { return screenHeight_; }
    int ScreenBitsPerPixel() const override { return screenBits_; }
    Rect WorkArea() const override { return workArea_.Width > 0 ? workArea_ : Platform::WorkArea(); }
    int PreferredScale() const override { return preferredScale_; }
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override { cursor_ = kind; }
    void ShowMessage(const std::string& title, const std::string& text) override;
    void ReportUnattended(const std::string& title, const std::string& text) override {
        reports_.push_back(Message{title, text});
    }
    bool OpenHelp(const std::string& path) override;
    std::string ProgramPath() const override { return programPath_; }
    std::unique_ptr<Store> OpenStore() override;

    // EventSource: the virtual clock, and one scripted step per wait.
    uint64_t NowMs() const override { return uint64_t(now_); }
    bool WaitForEvents(int timeoutMs) override;

    // Inspection.
    std::vector<HeadlessWindow*> Windows() const;  // in creation order
    std::vector<HeadlessWindow*> ZOrder() const { return zOrder_; }    // front first, hidden ones included
    HeadlessWindow* WindowTitled(const std::string& title) const;
    HeadlessWindow* Active() const { return static_cast<HeadlessWindow*>(router_.Active()); }
    HeadlessWindow* Captured() const { return static_cast<HeadlessWindow*>(router_.Captured()); }
    CursorKind Cursor() const { return cursor_; }
    const CursorImage* DefinedCursor(CursorKind kind) const;
    const std::vector<Message>& Messages() const { return messages_; }
    // What was reported where no message box may wait (ReportUnattended).
    const std::vector<Message>& Reports() const { return reports_; }
    const std::vector<std::string>& HelpRequests() const { return helpRequests_; }
    bool QuitRequested() const { return router_.Quitting(); }
    int ModalDepth() const { return router_.ModalDepth(); }
    int DroppedInputs() const { return router_.DroppedInputs(); }
    int Stalls() const { return stalls_; }
    int64_t Now() const { return now_; }
    int ActiveTimers() const { return router_.ActiveTimers(); }

    // Input in screen coordinates. Two left presses close in time and place
    // make a double click, as on a desktop; DoubleClick makes one.
    // The pointer events that follow are a finger's (MouseEvent::Touch).
    void UseFinger(bool finger) { finger_ = finger; }
    // The ball a carry shows (window pixels), while one goes on.
    const std::optional<Rect>& Carried() const { return carried_; }
    void CarryStarted(Window& /*window*/, const Rect& ball) override { carried_ = ball; }
    void CarryEnded() override { carried_.reset(); }
    // Everything told to a screen reader, in order.
    void Announce(const std::string& words) override { announced_.push_back(words); }
    const std::vector<std::string>& Announced() const { return announced_; }
    void PointerDown(int x, int y, MouseButton button = MouseButton::Left, unsigned modifiers = 0);
    void PointerMove(int x, int y, unsigned modifiers = 0);
    void PointerUp(int x, int y, MouseButton button = MouseButton::Left, unsigned modifiers = 0);
    void Click(int x, int y, MouseButton button = MouseButton::Left, unsigned modifiers = 0);
    void DoubleClick(int x, int y);
    // Keys go to the window with the keyboard, or to the given one.
    void KeyPress(int key, unsigned modifiers = 0);
    void KeyPressTo(Window& window, int key, unsigned modifiers = 0);
    // The user's request to close a window (Alt+F4 and the like).
    void RequestClose(Window& window);
    // The desktop session ends (or the program gets SIGTERM).
    void EndSession();
    // The system asks the window for its pixels again.
    void Expose(Window& window);
    // A window manager moves the window; the program is not asked.
    void MoveFromOutside(Window& window, int left, int top);
    // The window is now on a screen of another density.
    void ChangeScreenScale(Window& window, int scale);

    // Advances the virtual clock, firing every timer that falls due on the
    // way, in time order, each as often as its period fits.
    void Advance(int ms);

    // Appends a step for Run and RunModal to work through.
    void Script(std::function<void()> step) { script_.push_back(std::move(step)); }
    size_t PendingSteps() const { return script_.size(); }

private:
    friend class HeadlessWindow;

    void Forget(HeadlessWindow* window);
    void ToFront(HeadlessWindow* window);
    HeadlessWindow* WindowAt(int x, int y) const;
    // The window the system gives pointer events to now: the grab, else the
    // one under the pointer.
    HeadlessWindow* PointerWindow() const;
    // Tells the router the pointer left the window it was over, once the
    // event in hand is handled, as a window system posts it.
    void UpdateHover();
    template <typename Handler>
    void Dispatch(Handler handler);
    MouseEvent ClientEvent(const HeadlessWindow& window, MouseButton button, unsigned modifiers) const;

    int screenWidth_ = 1024, screenHeight_ = 768, screenBits_ = 32;
    int preferredScale_ = 1;
    Rect workArea_{};
    std::string programPath_ = "/opt/quorvex/quorvex";
    bool helpAvailable_ = true;
    std::shared_ptr<MemoryStore::Contents> store_;

    std::vector<HeadlessWindow*> zOrder_;
    HeadlessWindow* grab_ = nullptr;
    HeadlessWindow* over_ = nullptr;  // where the system last saw the pointer
    bool finger_ = false;
    std::vector<std::string> announced_;
    std::optional<Rect> carried_;
    int pointerX_ = -1, pointerY_ = -1;
    int dispatching_ = 0;
    bool hoverPending_ = false;

    CursorKind cursor_ = CursorKind::Default;
    std::map<CursorKind, CursorImage> cursors_;
    std::vector<Message> messages_, reports_;
    std::vector<std::string> helpRequests_;

    int stalls_ = 0;
    std::deque<std::function<void()>> script_;

    int64_t now_ = 0;
};
