// HeadlessPlatform: window records, input routing, the virtual clock and
// the scripted loops.
#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "util/Blit.h"

// ---- HeadlessWindow -------------------------------------------------------

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, WindowEvents& events)
    : platform_(platform), events_(events) {}

HeadlessWindow::~HeadlessWindow() { platform_.Forget(this); }

void HeadlessWindow::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    bounds_.Width = std::max(bounds_.Width, 0);
    bounds_.Height = std::max(bounds_.Height, 0);
    if (presented_.Width != bounds_.Width || presented_.Height != bounds_.Height) {
        // A resized window keeps what was on the screen where old and new
        // sizes overlap, like a window system that has not repainted yet.
        Bitmap resized(bounds_.Width, bounds_.Height);
        BlitPicture(resized, 0, 0, presented_);
        presented_ = std::move(resized);
    }
    platform_.UpdateHover();
}

void HeadlessWindow::Show() {
    visible_ = true;
    platform_.ToFront(this);
    platform_.UpdateHover();
}

void HeadlessWindow::Hide() {
    if (!visible_) return;
    visible_ = false;
    platform_.WindowHidden(this);
}

void HeadlessWindow::BringToFront() { platform_.ToFront(this); }

void HeadlessWindow::SetShape(const Region* shape) {
    if (shape)
        shape_ = *shape;
    else
        shape_.reset();
    platform_.UpdateHover();
}

void HeadlessWindow::Present(const Bitmap& surface, const Rect& dirty) {
    const Rect clipped = Intersect(dirty, Rect{0, 0, bounds_.Width, bounds_.Height});
    ++presentCount_;
    lastDirty_ = clipped;
    BlitRect(presented_, clipped.Left, clipped.Top, clipped.Width, clipped.Height, clipped.Left, clipped.Top,
             surface);
}

void HeadlessWindow::CaptureMouse() {
    platform_.capture_ = this;
    platform_.CaptureChanged();
}

void HeadlessWindow::ReleaseMouse() {
    if (platform_.capture_ != this) return;
    platform_.capture_ = nullptr;
    platform_.CaptureChanged();
}

bool HeadlessWindow::HasCapture() const { return platform_.capture_ == this; }

bool HeadlessWindow::Covers(int screenX, int screenY) const {
    if (!visible_ || !bounds_.Contains(screenX, screenY)) return false;
    return !shape_ || shape_->Contains(screenX - bounds_.Left, screenY - bounds_.Top);
}

// ---- HeadlessPlatform: windows ---------------------------------------------

HeadlessPlatform::HeadlessPlatform() : store_(std::make_shared<MemoryStore::Contents>()) {}

HeadlessPlatform::~HeadlessPlatform() = default;

void HeadlessPlatform::SetScreen(int width, int height, int bitsPerPixel) {
    screenWidth_ = width;
    screenHeight_ = height;
    screenBits_ = bitsPerPixel;
}

std::unique_ptr<Window> HeadlessPlatform::OpenWindow(WindowEvents& events) {
    auto window = std::make_unique<HeadlessWindow>(*this, events);
    windows_.push_back(window.get());
    zOrder_.push_back(window.get());  // new windows start behind the others, hidden
    return window;
}

void HeadlessPlatform::Forget(HeadlessWindow* window) {
    std::erase(windows_, window);
    std::erase(zOrder_, window);
    std::erase(modal_, static_cast<const Window*>(window));
    if (capture_ == window) capture_ = nullptr;
    if (hover_ == window) hover_ = nullptr;
    if (active_ == window) active_ = nullptr;
}

void HeadlessPlatform::ToFront(HeadlessWindow* window) {
    std::erase(zOrder_, window);
    zOrder_.insert(zOrder_.begin(), window);
    if (window->Visible()) active_ = window;
}

void HeadlessPlatform::WindowHidden(HeadlessWindow* window) {
    if (capture_ == window) capture_ = nullptr;
    if (active_ == window) {
        active_ = nullptr;
        for (HeadlessWindow* w : zOrder_)
            if (w->Visible()) {
                active_ = w;
                break;
            }
    }
    UpdateHover();
}

HeadlessWindow* HeadlessPlatform::WindowTitled(const std::string& title) const {
    for (HeadlessWindow* w : windows_)
        if (w->Title() == title) return w;
    return nullptr;
}

void HeadlessPlatform::DefineCursor(CursorKind kind, const CursorImage& image) { cursors_[kind] = image; }

const CursorImage* HeadlessPlatform::DefinedCursor(CursorKind kind) const {
    auto it = cursors_.find(kind);
    return it == cursors_.end() ? nullptr : &it->second;
}

// ---- input routing ---------------------------------------------------------

HeadlessWindow* HeadlessPlatform::WindowAt(int x, int y) const {
    for (HeadlessWindow* w : zOrder_)
        if (w->Covers(x, y)) return w;
    return nullptr;
}

bool HeadlessPlatform::Accepts(const HeadlessWindow* window) {
    if (!window) return false;
    if (!modal_.empty() && modal_.back() != window) {
        ++droppedInputs_;
        return false;
    }
    return true;
}

void HeadlessPlatform::UpdateHover() {
    // A window system posts the leave; it reaches the window after the
    // event in hand, not in the middle of its handler.
    if (dispatching_ > 0) {
        hoverPending_ = true;
        return;
    }
    hoverPending_ = false;
    HeadlessWindow* now = capture_ ? capture_ : WindowAt(pointerX_, pointerY_);
    if (now == hover_) return;
    HeadlessWindow* left = hover_;
    hover_ = now;
    if (left) Dispatch([&] { left->Events().OnMouseLeave(); });
}

void HeadlessPlatform::CaptureChanged() { UpdateHover(); }

HeadlessWindow* HeadlessPlatform::MouseTarget() {
    UpdateHover();
    HeadlessWindow* target = capture_ ? capture_ : WindowAt(pointerX_, pointerY_);
    return Accepts(target) ? target : nullptr;
}

template <typename Handler>
void HeadlessPlatform::Dispatch(Handler handler) {
    ++dispatching_;
    handler();
    --dispatching_;
    if (dispatching_ == 0 && hoverPending_) UpdateHover();
}

MouseEvent HeadlessPlatform::ClientEvent(const HeadlessWindow& window, MouseButton button, unsigned modifiers,
                                         int clicks) const {
    MouseEvent e;
    e.Button = button;
    e.Modifiers = modifiers;
    e.X = pointerX_ - window.Bounds().Left;
    e.Y = pointerY_ - window.Bounds().Top;
    e.Clicks = clicks;
    return e;
}

void HeadlessPlatform::PointerDown(int x, int y, MouseButton button, unsigned modifiers, int clicks) {
    pointerX_ = x, pointerY_ = y;
    HeadlessWindow* target = MouseTarget();
    if (!target) return;
    // A press activates and raises the window it lands on.
    if (target != zOrder_.front()) ToFront(target);
    active_ = target;
    const MouseEvent e = ClientEvent(*target, button, modifiers, clicks);
    Dispatch([&] { target->Events().OnMouseDown(e); });
}

void HeadlessPlatform::PointerMove(int x, int y, unsigned modifiers) {
    pointerX_ = x, pointerY_ = y;
    if (HeadlessWindow* target = MouseTarget()) {
        const MouseEvent e = ClientEvent(*target, MouseButton::Left, modifiers, 1);
        Dispatch([&] { target->Events().OnMouseMove(e); });
    }
}

void HeadlessPlatform::PointerUp(int x, int y, MouseButton button, unsigned modifiers) {
    pointerX_ = x, pointerY_ = y;
    if (HeadlessWindow* target = MouseTarget()) {
        const MouseEvent e = ClientEvent(*target, button, modifiers, 1);
        Dispatch([&] { target->Events().OnMouseUp(e); });
    }
}

void HeadlessPlatform::Click(int x, int y, MouseButton button, unsigned modifiers) {
    PointerDown(x, y, button, modifiers);
    PointerUp(x, y, button, modifiers);
}

void HeadlessPlatform::DoubleClick(int x, int y) {
    PointerDown(x, y);
    PointerUp(x, y);
    PointerDown(x, y, MouseButton::Left, 0, 2);
    PointerUp(x, y);
}

void HeadlessPlatform::KeyPress(int key, unsigned modifiers) {
    if (HeadlessWindow* target = active_; Accepts(target))
        Dispatch([&] { target->Events().OnKeyDown(key, modifiers); });
}

void HeadlessPlatform::KeyPressTo(Window& window, int key, unsigned modifiers) {
    auto* target = static_cast<HeadlessWindow*>(&window);
    if (Accepts(target)) Dispatch([&] { target->Events().OnKeyDown(key, modifiers); });
}

void HeadlessPlatform::RequestClose(Window& window) {
    auto* target = static_cast<HeadlessWindow*>(&window);
    if (Accepts(target)) Dispatch([&] { target->Events().OnCloseRequest(); });
}

void HeadlessPlatform::Expose(Window& window) {
    Dispatch([&] { static_cast<HeadlessWindow&>(window).Events().OnPaint(); });
}

// ---- loops -----------------------------------------------------------------

void HeadlessPlatform::Run() {
    while (!quit_ && !script_.empty()) {
        auto step = std::move(script_.front());
        script_.pop_front();
        step();
    }
}

bool HeadlessPlatform::RunModal(Window& modal, const std::function<bool()>& finished) {
    modal_.push_back(&modal);
    // The loop usually starts inside a handler (a click that opens a
    // window); its own events are settled one by one like the outer ones.
    const int outerDispatch = std::exchange(dispatching_, 0);
    bool result = false;
    for (;;) {
        if (finished()) {
            result = true;
            break;
        }
        if (quit_) break;
        if (script_.empty()) {
            ++stalls_;
            std::fprintf(stderr, "headless: the modal loop of window \"%s\" has nothing left to do; ending it\n",
                         static_cast<HeadlessWindow&>(modal).Title().c_str());
            break;
        }
        auto step = std::move(script_.front());
        script_.pop_front();
        step();
    }
    std::erase(modal_, static_cast<const Window*>(&modal));
    dispatching_ = outerDispatch;
    return result;
}

// ---- timers ----------------------------------------------------------------

TimerId HeadlessPlatform::StartTimer(int intervalMs, std::function<void()> tick) {
    if (intervalMs <= 0 || !tick) return 0;
    const TimerId id = nextTimer_++;
    timers_[id] = TimerRecord{intervalMs, now_ + intervalMs, std::move(tick)};
    return id;
}

void HeadlessPlatform::StopTimer(TimerId id) { timers_.erase(id); }

int HeadlessPlatform::ActiveTimers() const { return int(timers_.size()); }

void HeadlessPlatform::Advance(int ms) {
    const int64_t target = now_ + std::max(ms, 0);
    for (;;) {
        auto due = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.Due <= target && (due == timers_.end() || it->second.Due < due->second.Due)) due = it;
        if (due == timers_.end()) break;
        now_ = due->second.Due;
        due->second.Due += due->second.Interval;
        // The tick may stop or start timers, this one included.
        auto tick = due->second.Tick;
        tick();
    }
    now_ = target;
}

// ---- the rest --------------------------------------------------------------

void HeadlessPlatform::ShowMessage(const std::string& title, const std::string& text) {
    messages_.push_back(Message{title, text});
}

bool HeadlessPlatform::OpenHelp(const std::string& path) {
    helpRequests_.push_back(path);
    return helpAvailable_;
}

std::unique_ptr<Store> HeadlessPlatform::OpenStore() { return std::make_unique<MemoryStore>(store_); }
