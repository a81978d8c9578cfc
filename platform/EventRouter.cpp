// EventRouter: the modal stack, capture, pairing, leave, activation, the
// timer queue and the loops.
#include "platform/EventRouter.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

// ---- RoutedWindow ----------------------------------------------------------

RoutedWindow::RoutedWindow(EventRouter& router, WindowEvents& events) : router_(router), events_(events) {
    router_.Opened(this);
}

RoutedWindow::~RoutedWindow() { router_.Forget(this); }

void RoutedWindow::CaptureMouse() { router_.Capture(this); }
void RoutedWindow::ReleaseMouse() { router_.Release(this); }

void RoutedWindow::Show() {
    const bool was = visible_;
    visible_ = true;
    if (!SystemShow(was)) {
        visible_ = was;
        return;
    }
    router_.Shown(this);
    VisibilityChanged();
}

void RoutedWindow::Hide() {
    if (!visible_) return;
    visible_ = false;
    SystemHide();
    router_.Hidden(this);
    VisibilityChanged();
}

void RoutedWindow::BringToFront() {
    // Raising activates the window on every desktop.
    if (!visible_) return;
    SystemRaise();
    router_.Shown(this);
}

// ---- windows ---------------------------------------------------------------

void EventRouter::Opened(RoutedWindow* window) { windows_.push_back(window); }

void EventRouter::Forget(RoutedWindow* window) {
    std::erase(windows_, window);
    std::erase(modal_, window);
    std::erase(activation_, window);
    if (capture_ == window) capture_ = nullptr;
    if (leftHeld_ == window) leftHeld_ = nullptr;
    if (hover_ == window) hover_ = nullptr;
    if (clickWindow_ == window) clickArmed_ = false, clickWindow_ = nullptr;
}

void EventRouter::Shown(RoutedWindow* window) { Activated(window); }

void EventRouter::Activated(RoutedWindow* window) {
    std::erase(activation_, window);
    activation_.push_back(window);
}

void EventRouter::Hidden(RoutedWindow* window) {
    if (capture_ == window) {
        capture_ = nullptr;
        window->UngrabPointer();
    }
    if (leftHeld_ == window) leftHeld_ = nullptr;
    if (hover_ == window) hover_ = nullptr;
    const bool wasActive = Active() == window;
    std::erase(activation_, window);
    // A hidden active window (a modal window closing) hands the keyboard
    // back to the one activated before it.
    if (wasActive)
        for (auto it = activation_.rbegin(); it != activation_.rend(); ++it)
            if ((*it)->Visible()) {
                RoutedWindow* next = *it;
                Activated(next);
                next->Activate();
                break;
            }
}

// ---- capture ---------------------------------------------------------------

void EventRouter::Capture(RoutedWindow* window) {
    if (capture_ == window) return;
    if (!window->Visible() || !Accepts(window)) return;
    if (capture_) Release(capture_);
    capture_ = window;
    // A refused grab still routes every event that reaches one of our
    // windows to the holder; only events outside all of them are missed.
    window->GrabPointer();
}

void EventRouter::Release(RoutedWindow* window) {
    if (capture_ != window) return;
    capture_ = nullptr;
    window->UngrabPointer();
}

void EventRouter::TakeCaptureFor(RoutedWindow* modal) {
    // The press in progress behind the modal window is over: its holder is
    // told, and its release will reach nobody.
    RoutedWindow* holder = capture_ && capture_ != modal ? capture_ : nullptr;
    if (leftHeld_ && leftHeld_ != modal) {
        if (!holder) holder = leftHeld_;
        leftHeld_ = nullptr;
    }
    if (capture_ && capture_ != modal) Release(capture_);
    if (holder) holder->Events().OnCaptureLost();
    // The pointer is on the modal window now as far as the others know.
    if (hover_ && hover_ != modal) {
        RoutedWindow* left = std::exchange(hover_, nullptr);
        if (left->Visible()) left->Events().OnMouseLeave();
    }
    clickArmed_ = false;
}

// ---- input -----------------------------------------------------------------

bool EventRouter::Accepts(const RoutedWindow* window) const {
    return window && (modal_.empty() || modal_.back() == window);
}

bool EventRouter::Admit(const RoutedWindow* window) {
    if (!window || !window->Visible()) return false;
    if (Accepts(window)) return true;
    ++dropped_;
    return false;
}

RoutedWindow* EventRouter::PointerTarget(RoutedWindow* window, MouseEvent& e) const {
    RoutedWindow* target = capture_ ? capture_ : window;
    if (target && window && target != window) {
        // Reported for another of our windows (a grab the system did not
        // honour): the point is moved into the holder's coordinates.
        e.X += window->Bounds().Left - target->Bounds().Left;
        e.Y += window->Bounds().Top - target->Bounds().Top;
    }
    return target;
}

void EventRouter::Hover(RoutedWindow* window) {
    if (window == hover_) return;
    RoutedWindow* left = std::exchange(hover_, window);
    // The holder of the capture hears of no leave; a window behind a modal
    // one hears nothing at all.
    if (left && left != capture_ && left->Visible() && Accepts(left)) left->Events().OnMouseLeave();
}

int EventRouter::PairClicks(RoutedWindow* window, MouseButton button, int x, int y) {
    if (button != MouseButton::Left) {
        clickArmed_ = false;
        return 1;
    }
    const uint64_t now = source_.NowMs();
    const bool pair = clickArmed_ && window == clickWindow_ && now - clickMs_ <= DoubleClickMs &&
                      std::abs(x - clickX_) <= DoubleClickDistance && std::abs(y - clickY_) <= DoubleClickDistance;
    // A third press starts over as a single click.
    clickArmed_ = !pair;
    clickWindow_ = window, clickMs_ = now, clickX_ = x, clickY_ = y;
    return pair ? 2 : 1;
}

void EventRouter::PointerDown(RoutedWindow* window, MouseEvent e, int screenX, int screenY) {
    RoutedWindow* target = PointerTarget(window, e);
    if (!capture_) Hover(target);
    if (!Admit(target)) return;
    e.Clicks = PairClicks(target, e.Button, screenX, screenY);
    e.TimeMs = source_.NowMs();
    if (e.Button == MouseButton::Left) leftHeld_ = target;
    // A press activates the window it lands on.
    if (Active() != target) {
        Activated(target);
        target->Activate();
    }
    target->Events().OnMouseDown(e);
}

void EventRouter::PointerMove(RoutedWindow* window, MouseEvent e) {
    RoutedWindow* target = PointerTarget(window, e);
    if (!capture_) Hover(target);
    if (!Admit(target)) return;
    e.Clicks = 1;
    target->Events().OnMouseMove(e);
}

void EventRouter::PointerUp(RoutedWindow* window, MouseEvent e) {
    RoutedWindow* target = PointerTarget(window, e);
    e.TimeMs = source_.NowMs();
    if (e.Button == MouseButton::Left) {
        // Only the window that had the press hears its release: a press
        // taken away by a modal window, or made before one opened, ends
        // nowhere.
        RoutedWindow* holder = std::exchange(leftHeld_, nullptr);
        if (!holder || holder != target) {
            if (holder || target) ++dropped_;
            return;
        }
    }
    if (!Admit(target)) return;
    e.Clicks = 1;
    target->Events().OnMouseUp(e);
}

void EventRouter::PointerLeft(RoutedWindow* window) {
    if (window && hover_ == window) Hover(nullptr);
}

void EventRouter::KeyDown(RoutedWindow* window, int key, unsigned modifiers, bool repeat) {
    // The keyboard belongs to the modal window, wherever the system thinks
    // the focus is.
    RoutedWindow* target = !modal_.empty() ? modal_.back() : window ? window : Active();
    if (!target || !target->Visible()) return;
    // Alt+F4 asks the window to close, as everywhere; held down it repeats,
    // but it is one request.
    if (key == Key::Function(4) && modifiers == Modifier::Alt) {
        if (!repeat) target->Events().OnCloseRequest();
        return;
    }
    target->Events().OnKeyDown(key, modifiers);
}

void EventRouter::CloseRequest(RoutedWindow* window) {
    if (Admit(window)) window->Events().OnCloseRequest();
}

void EventRouter::CaptureTaken(RoutedWindow* window) {
    if (!window || capture_ != window) return;
    capture_ = nullptr;
    if (leftHeld_ == window) leftHeld_ = nullptr;
    window->Events().OnCaptureLost();
}

void EventRouter::Expose(RoutedWindow* window) {
    if (window && window->Visible()) window->Events().OnPaint();
}

void EventRouter::ScaleWanted(RoutedWindow* window, int scale) {
    if (window) window->Events().OnScaleWanted(scale);
}

void EventRouter::EndSession() {
    // Said once: every window of ours may be told of the session's end.
    if (quit_) return;
    if (RoutedWindow* main = MainWindow()) {
        if (capture_) TakeCaptureFor(nullptr);
        if (main->Visible()) main->Events().OnSessionEnd();
    }
    quit_ = true;
}

// ---- loops -----------------------------------------------------------------

bool EventRouter::RunModal(Window& modal, const std::function<bool()>& finished) {
    auto* window = static_cast<RoutedWindow*>(&modal);
    TakeCaptureFor(window);
    modal_.push_back(window);
    const bool result = Loop(finished);
    std::erase(modal_, window);
    return result;
}

bool EventRouter::Loop(const std::function<bool()>& finished) {
    for (;;) {
        if (finished && finished()) return true;
        if (quit_) return false;
        FireDueTimers();
        if (finished && finished()) return true;
        if (quit_) return false;
        if (!source_.WaitForEvents(MsToNextTimer())) return false;
    }
}

// ---- timers ----------------------------------------------------------------

TimerId EventRouter::StartTimer(int intervalMs, std::function<void()> tick) {
    if (intervalMs <= 0 || !tick) return 0;
    const TimerId id = nextTimer_++;
    timers_[id] = TimerRecord{intervalMs, source_.NowMs() + uint64_t(intervalMs), std::move(tick)};
    return id;
}

void EventRouter::StopTimer(TimerId id) { timers_.erase(id); }

bool EventRouter::NextDue(uint64_t& due) const {
    if (timers_.empty()) return false;
    due = UINT64_MAX;
    for (const auto& [id, timer] : timers_) due = std::min(due, timer.Due);
    return true;
}

int EventRouter::MsToNextTimer() const {
    uint64_t due = 0;
    if (!NextDue(due)) return -1;
    const uint64_t now = source_.NowMs();
    return due <= now ? 0 : int(std::min<uint64_t>(due - now, 60'000));
}

void EventRouter::FireDueTimers() {
    const uint64_t now = source_.NowMs();
    std::vector<TimerId> due;
    for (const auto& [id, timer] : timers_)
        if (timer.Due <= now) due.push_back(id);
    for (TimerId id : due) {
        auto it = timers_.find(id);
        if (it == timers_.end()) continue;  // an earlier tick stopped it
        it->second.Due += uint64_t(it->second.Interval);
        if (it->second.Due <= now) it->second.Due = now + uint64_t(it->second.Interval);
        auto tick = it->second.Tick;  // the tick may stop or restart its own timer
        tick();
    }
}
