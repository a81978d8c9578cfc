// HeadlessPlatform: window records, the stand-in window system, the virtual
// clock and the scripted loops.
#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "util/Blit.h"

// ---- HeadlessWindow -------------------------------------------------------

HeadlessWindow::HeadlessWindow(HeadlessPlatform& platform, WindowEvents& events)
    : RoutedWindow(platform.Router(), events), platform_(platform) {}

HeadlessWindow::~HeadlessWindow() { platform_.Forget(this); }

void HeadlessWindow::Place(const Rect& bounds) {
    bounds_ = bounds;
    bounds_.Width = std::max(bounds_.Width, 0);
    bounds_.Height = std::max(bounds_.Height, 0);
    if (!presented_.Pixels.empty() && (presented_.Width != bounds_.Width || presented_.Height != bounds_.Height)) {
        // A resized window keeps what was on the screen where old and new
        // sizes overlap, like a window system that has not repainted yet.
        Bitmap resized(bounds_.Width, bounds_.Height);
        BlitPicture(resized, 0, 0, presented_);
        presented_ = std::move(resized);
    }
    platform_.UpdateHover();
}

const Bitmap& HeadlessWindow::Screen() const {
    // Made at the first need: a window never drawn costs nothing.
    if (presented_.Width != bounds_.Width || presented_.Height != bounds_.Height || presented_.Pixels.empty())
        presented_ = Bitmap(bounds_.Width, bounds_.Height);
    return presented_;
}

uint32_t* HeadlessWindow::SurfacePixels() {
    // As on the desktop, a window gets its surface when first shown.
    if (!everShown_) return nullptr;
    Screen();
    return presented_.Pixels.data();
}

void HeadlessWindow::SetBounds(const Rect& bounds) { Place(bounds); }

bool HeadlessWindow::SystemShow(bool) {
    everShown_ = true;
    platform_.ToFront(this);
    return true;
}

void HeadlessWindow::SystemRaise() { platform_.ToFront(this); }

// The pointer may now be over another window, or none.
void HeadlessWindow::VisibilityChanged() { platform_.UpdateHover(); }

void HeadlessWindow::Activate() { platform_.ToFront(this); }

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
    Screen();
    // Drawn into the window's own memory: it is on the screen already.
    if (surface.Pixels.data() == presented_.Pixels.data()) return;
    // The window's own pixels, whatever scale the picture was drawn at.
    const Rect part = Intersect(clipped, Rect{0, 0, surface.Width, surface.Height});
    if (part.Width == surface.Width && surface.Width == presented_.Width) {
        std::copy_n(surface.Pixels.begin() + std::ptrdiff_t(part.Top) * surface.Width,
                    size_t(part.Width) * size_t(part.Height), &presented_.At(0, part.Top));
        return;
    }
    for (int y = part.Top; y < part.Bottom(); ++y)
        std::copy_n(surface.Pixels.begin() + std::ptrdiff_t(y) * surface.Width + part.Left, part.Width,
                    &presented_.At(part.Left, y));
}

bool HeadlessWindow::GrabPointer() {
    platform_.grab_ = this;
    platform_.UpdateHover();
    return true;
}

void HeadlessWindow::UngrabPointer() {
    if (platform_.grab_ != this) return;
    platform_.grab_ = nullptr;
    platform_.UpdateHover();
}

bool HeadlessWindow::HasCapture() const { return platform_.Router().Captured() == this; }

bool HeadlessWindow::Covers(int screenX, int screenY) const {
    if (!Visible() || !bounds_.Contains(screenX, screenY)) return false;
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
    zOrder_.push_back(window.get());  // new windows start behind the others, hidden
    return window;
}

void HeadlessPlatform::Forget(HeadlessWindow* window) {
    std::erase(zOrder_, window);
    if (grab_ == window) grab_ = nullptr;
    if (over_ == window) over_ = nullptr;
}

void HeadlessPlatform::ToFront(HeadlessWindow* window) {
    std::erase(zOrder_, window);
    zOrder_.insert(zOrder_.begin(), window);
    UpdateHover();
}

std::vector<HeadlessWindow*> HeadlessPlatform::Windows() const {
    std::vector<HeadlessWindow*> windows;
    for (RoutedWindow* w : router_.Windows()) windows.push_back(static_cast<HeadlessWindow*>(w));
    return windows;
}

HeadlessWindow* HeadlessPlatform::WindowTitled(const std::string& title) const {
    for (HeadlessWindow* w : Windows())
        if (w->Title() == title) return w;
    return nullptr;
}

void HeadlessPlatform::DefineCursor(CursorKind kind, const CursorImage& image) { cursors_[kind] = image; }

const CursorImage* HeadlessPlatform::DefinedCursor(CursorKind kind) const {
    auto it = cursors_.find(kind);
    return it == cursors_.end() ? nullptr : &it->second;
}

void HeadlessPlatform::MoveFromOutside(Window& window, int left, int top) {
    auto& w = static_cast<HeadlessWindow&>(window);
    w.Place(Rect{left, top, w.Bounds().Width, w.Bounds().Height});
}

// ---- the stand-in window system -------------------------------------------

HeadlessWindow* HeadlessPlatform::WindowAt(int x, int y) const {
    for (HeadlessWindow* w : zOrder_)
        if (w->Covers(x, y)) return w;
    return nullptr;
}

HeadlessWindow* HeadlessPlatform::PointerWindow() const { return grab_ ? grab_ : WindowAt(pointerX_, pointerY_); }

void HeadlessPlatform::UpdateHover() {
    // A window system posts the leave; it reaches the window after the
    // event in hand, not in the middle of its handler.
    if (dispatching_ > 0) {
        hoverPending_ = true;
        return;
    }
    hoverPending_ = false;
    HeadlessWindow* now = PointerWindow();
    if (now == over_) return;
    HeadlessWindow* left = std::exchange(over_, now);
    if (left) Dispatch([&] { router_.PointerLeft(left); });
}

template <typename Handler>
void HeadlessPlatform::Dispatch(Handler handler) {
    ++dispatching_;
    handler();
    --dispatching_;
    if (dispatching_ == 0 && hoverPending_) UpdateHover();
}

MouseEvent HeadlessPlatform::ClientEvent(const HeadlessWindow& window, MouseButton button, unsigned modifiers) const {
    MouseEvent e;
    e.Button = button;
    e.Modifiers = modifiers;
    e.Touch = finger_;
    e.X = pointerX_ - window.Bounds().Left;
    e.Y = pointerY_ - window.Bounds().Top;
    return e;
}

void HeadlessPlatform::PointerDown(int x, int y, MouseButton button, unsigned modifiers) {
    pointerX_ = x, pointerY_ = y;
    UpdateHover();
    if (HeadlessWindow* window = PointerWindow()) {
        const MouseEvent e = ClientEvent(*window, button, modifiers);
        Dispatch([&] { router_.PointerDown(window, e, x, y); });
    }
}

void HeadlessPlatform::PointerMove(int x, int y, unsigned modifiers) {
    pointerX_ = x, pointerY_ = y;
    UpdateHover();
    if (HeadlessWindow* window = PointerWindow()) {
        const MouseEvent e = ClientEvent(*window, MouseButton::Left, modifiers);
        Dispatch([&] { router_.PointerMove(window, e); });
    }
}

void HeadlessPlatform::PointerUp(int x, int y, MouseButton button, unsigned modifiers) {
    pointerX_ = x, pointerY_ = y;
    UpdateHover();
    if (HeadlessWindow* window = PointerWindow()) {
        const MouseEvent e = ClientEvent(*window, button, modifiers);
        Dispatch([&] { router_.PointerUp(window, e); });
    }
}

void HeadlessPlatform::Click(int x, int y, MouseButton button, unsigned modifiers) {
    PointerDown(x, y, button, modifiers);
    PointerUp(x, y, button, modifiers);
}

void HeadlessPlatform::DoubleClick(int x, int y) {
    Click(x, y);
    Click(x, y);
}

void HeadlessPlatform::KeyPress(int key, unsigned modifiers) {
    Dispatch([&] { router_.KeyDown(nullptr, key, modifiers); });
}

void HeadlessPlatform::KeyPressTo(Window& window, int key, unsigned modifiers) {
    Dispatch([&] { router_.KeyDown(static_cast<HeadlessWindow*>(&window), key, modifiers); });
}

void HeadlessPlatform::RequestClose(Window& window) {
    Dispatch([&] { router_.CloseRequest(static_cast<HeadlessWindow*>(&window)); });
}

void HeadlessPlatform::EndSession() {
    Dispatch([&] { router_.EndSession(); });
}

void HeadlessPlatform::ChangeScreenScale(Window& window, int scale) {
    Dispatch([&] { router_.ScaleWanted(static_cast<HeadlessWindow*>(&window), scale); });
}

void HeadlessPlatform::Expose(Window& window) {
    Dispatch([&] { router_.Expose(static_cast<HeadlessWindow*>(&window)); });
}

// ---- loops and the clock ---------------------------------------------------

bool HeadlessPlatform::WaitForEvents(int /*timeoutMs*/) {
    if (script_.empty()) {
        if (RoutedWindow* modal = router_.ModalWindow()) {
            ++stalls_;
            std::fprintf(stderr, "headless: the modal loop of window \"%s\" has nothing left to do; ending it\n",
                         static_cast<HeadlessWindow*>(modal)->Title().c_str());
        }
        return false;
    }
    auto step = std::move(script_.front());
    script_.pop_front();
    // The loop usually runs inside a handler (a click that opened a modal
    // window); its own events are settled one by one like the outer ones.
    const int outer = std::exchange(dispatching_, 0);
    step();
    dispatching_ = outer;
    return true;
}

void HeadlessPlatform::Advance(int ms) {
    const int64_t target = now_ + std::max(ms, 0);
    uint64_t due = 0;
    // Clock jumps to each due time in turn, so every tick that fits comes.
    while (router_.NextDue(due) && int64_t(due) <= target) {
        now_ = std::max(now_, int64_t(due));
        router_.FireDueTimers();
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
