// EventRouter: where input goes, decided once for every desktop.
//
// A backend only translates: it tells the router what the system reported
// (a press, a move, a release, a key, a leave, a close request, the session
// ending) for which of its windows, in that window's own coordinates, and
// the router decides who hears of it. The router owns
//   - the modal stack: while a modal window runs, only it receives input;
//     every other window still paints and the timers still tick;
//   - the mouse capture and the left press in progress: a modal window
//     that opens while another window holds the capture takes it away, and
//     the holder is told (OnCaptureLost); its later release goes nowhere;
//   - double-click pairing, the mouse leave and which window is active;
//   - the timer queue and the loops (Run, RunModal), which wait on the
//     backend for the next events.
//
// The headless backend of the tests feeds the same router as the desktops,
// so every scenario test runs the code a player runs.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/Platform.h"

class EventRouter;

// The part of a backend's window the router needs. Backends derive their
// window from it; capture and release go through the router.
class RoutedWindow : public Window {
public:
    RoutedWindow(EventRouter& router, WindowEvents& events);
    ~RoutedWindow() override;
    RoutedWindow(const RoutedWindow&) = delete;
    RoutedWindow& operator=(const RoutedWindow&) = delete;

    WindowEvents& Events() { return events_; }

    void CaptureMouse() final;
    void ReleaseMouse() final;

    // Whether the window shows is kept here, once for every backend, and
    // the router hears of each change; the backend only does what its
    // system needs (SystemShow, SystemHide, SystemRaise).
    void Show() final;
    void Hide() final;
    bool Visible() const final { return visible_; }
    void BringToFront() final;

    // The system's side of the capture: every pointer event goes to this
    // window until the ungrab. False when the system refused.
    virtual bool GrabPointer() = 0;
    virtual void UngrabPointer() = 0;
    // Raises the window and gives it the keyboard, as a press on it does.
    virtual void Activate() = 0;

protected:
    // The system's side of Show, called with Visible() already true: map
    // the window, raise it and give it the keyboard. `wasVisible` says
    // whether it showed before. False when the system could not show it;
    // it then stays as it was.
    virtual bool SystemShow(bool wasVisible) = 0;
    // The system's side of Hide, called with Visible() already false.
    virtual void SystemHide() = 0;
    // The system's side of BringToFront, called only while visible.
    virtual void SystemRaise() = 0;
    // After the router heard that the window was shown or hidden.
    virtual void VisibilityChanged() {}
    EventRouter& Router() { return router_; }

private:
    EventRouter& router_;
    WindowEvents& events_;
    bool visible_ = false;
};

// What the router asks of the backend: its clock and a wait for the next
// events, which the backend translates and hands to the router before it
// returns.
class EventSource {
public:
    virtual ~EventSource() = default;
    virtual uint64_t NowMs() const = 0;
    // Waits up to timeoutMs (-1: no limit) for events and feeds them in.
    // False when no event can ever come again (the headless backend's
    // script has run out); the running loop then ends.
    virtual bool WaitForEvents(int timeoutMs) = 0;
};

class EventRouter {
public:
    static constexpr uint64_t DoubleClickMs = 500;  // the usual desktop default
    static constexpr int DoubleClickDistance = 2;   // pixels either way, as on Windows

    explicit EventRouter(EventSource& source) : source_(source) {}

    // ---- from the backend: what the system reported -----------------------
    // `window` is the window the system gave the event to; (e.X, e.Y) are in
    // its coordinates, also outside it while it holds a grab. screenX and
    // screenY place the point on the screen (for pairing double clicks).
    // e.Clicks is ignored: pairing is the router's.
    void PointerDown(RoutedWindow* window, MouseEvent e, int screenX, int screenY);
    void PointerMove(RoutedWindow* window, MouseEvent e);
    void PointerUp(RoutedWindow* window, MouseEvent e);
    // The pointer went off the window (onto another, or off all of ours).
    void PointerLeft(RoutedWindow* window);
    // A key went down on `window`; nullptr when the system does not say
    // which. A repeat of Alt+F4 is not a second close request.
    void KeyDown(RoutedWindow* window, int key, unsigned modifiers, bool repeat = false);
    // The user asked the window to close (the window manager, the task bar).
    void CloseRequest(RoutedWindow* window);
    // The system took the grab away (another program, a system dialog):
    // as when a modal window opens, the press in progress is over.
    void CaptureTaken(RoutedWindow* window);
    // The system needs the window's pixels again.
    void Expose(RoutedWindow* window);
    // The window went to a screen that wants another drawing scale.
    void ScaleWanted(RoutedWindow* window, int scale);
    // The desktop session ends, or the program was asked to end (a signal):
    // the main window hears of it whatever is open, so it can keep what the
    // player made, and the loops end.
    void EndSession();

    // True when input for `window` would reach it (nothing modal runs, or
    // it is the modal window).
    bool Accepts(const RoutedWindow* window) const;
    // The window holding the capture, and the window of a left press whose
    // release is still to come.
    RoutedWindow* Captured() const { return capture_; }
    RoutedWindow* LeftHeldBy() const { return leftHeld_; }
    RoutedWindow* Active() const { return activation_.empty() ? nullptr : activation_.back(); }
    // Input that reached no window because a modal window ran.
    int DroppedInputs() const { return dropped_; }
    int ModalDepth() const { return int(modal_.size()); }
    RoutedWindow* ModalWindow() const { return modal_.empty() ? nullptr : modal_.back(); }
    // Every open window, in the order they were opened; the first is the
    // program's main window, which every other stands beside. The one list
    // of windows: backends look their windows up here.
    const std::vector<RoutedWindow*>& Windows() const { return windows_; }
    RoutedWindow* MainWindow() const { return windows_.empty() ? nullptr : windows_.front(); }

    // ---- for the Platform: loops and timers --------------------------------
    void Run() { Loop(nullptr); }
    void Quit() { quit_ = true; }
    bool Quitting() const { return quit_; }
    bool RunModal(Window& modal, const std::function<bool()>& finished);
    TimerId StartTimer(int intervalMs, std::function<void()> tick);
    void StopTimer(TimerId id);
    int ActiveTimers() const { return int(timers_.size()); }
    // Ticks every timer due by now, once each; a tick missed while the
    // program was busy is not made up for, the period runs on from now.
    void FireDueTimers();
    // Milliseconds until the next tick is due; -1 when no timer runs.
    int MsToNextTimer() const;
    // The earliest due time of any timer, if one runs.
    bool NextDue(uint64_t& due) const;

private:
    friend class RoutedWindow;

    struct TimerRecord {
        int Interval = 0;
        uint64_t Due = 0;
        std::function<void()> Tick;
    };

    bool Loop(const std::function<bool()>& finished);
    void Capture(RoutedWindow* window);
    void Release(RoutedWindow* window);
    void Opened(RoutedWindow* window);
    void Forget(RoutedWindow* window);
    void Shown(RoutedWindow* window);
    void Hidden(RoutedWindow* window);
    void Activated(RoutedWindow* window);
    void TakeCaptureFor(RoutedWindow* modal);
    // The window a pointer event of `window` belongs to: the capture holder
    // if any; the event is moved into that window's coordinates.
    RoutedWindow* PointerTarget(RoutedWindow* window, MouseEvent& e) const;
    void Hover(RoutedWindow* window);
    int PairClicks(RoutedWindow* window, MouseButton button, int x, int y);
    bool Admit(const RoutedWindow* window);

    EventSource& source_;
    bool quit_ = false;
    std::vector<RoutedWindow*> windows_;     // in creation order; the first is the main window
    std::vector<RoutedWindow*> modal_;       // innermost last
    std::vector<RoutedWindow*> activation_;  // most recently activated last
    RoutedWindow* capture_ = nullptr;
    RoutedWindow* leftHeld_ = nullptr;
    RoutedWindow* hover_ = nullptr;
    int dropped_ = 0;

    // The last left press, while it may still become a double click.
    bool clickArmed_ = false;
    RoutedWindow* clickWindow_ = nullptr;
    uint64_t clickMs_ = 0;
    int clickX_ = 0, clickY_ = 0;

    TimerId nextTimer_ = 1;
    std::map<TimerId, TimerRecord> timers_;
};

// A Platform whose loops, timers and input decisions are the router's; the
// backends derive from it and add only what their system does.
class RoutedPlatform : public Platform, public EventSource {
public:
    RoutedPlatform() : router_(*this) {}

    void Run() override { router_.Run(); }
    void Quit() override { router_.Quit(); }
    bool RunModal(Window& modal, const std::function<bool()>& finished) override {
        return router_.RunModal(modal, finished);
    }
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override {
        return router_.StartTimer(intervalMs, std::move(tick));
    }
    void StopTimer(TimerId id) override { router_.StopTimer(id); }

    EventRouter& Router() { return router_; }
    const EventRouter& Router() const { return router_; }

protected:
    EventRouter router_;
};
