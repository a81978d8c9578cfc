// SdlPlatform: start-up of SDL, the event loop, input routing, timers and
// the small services.
#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "platform/MemoryStore.h"
#include "platform/posix/IniFileStore.h"
#include "platform/sdl/HelpDocument.h"
#include "platform/sdl/KeyMap.h"
#include "platform/sdl/SdlWindow.h"

SdlPlatform::SdlPlatform() {
    // Without this SDL may give the window surface to a GL texture, and the
    // first surface it makes then re-creates the X window behind our back
    // (losing its shape) and costs tens of megabytes.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // The capture is ours (an X grab on the pressed window); SDL's automatic
    // one would let go of it on its own release.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    // A click on a window that is not active is a click, as on Windows.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Closing the last window is the program's decision, not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Shapes and grabs are X requests; under Wayland this is XWayland.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    // Keys reach the game as key codes, never as text, so the X input
    // method needs no compose table; parsing the locale's takes longer than
    // everything else the game does before its window appears. The user's
    // own setting is put back for the programs the game starts.
    const char* compose = std::getenv("XCOMPOSEFILE");
    const std::optional<std::string> userCompose = compose ? std::optional<std::string>(compose) : std::nullopt;
    setenv("XCOMPOSEFILE", "/dev/null", 1);
    const int init = SDL_Init(SDL_INIT_VIDEO);
    if (userCompose)
        setenv("XCOMPOSEFILE", userCompose->c_str(), 1);
    else
        unsetenv("XCOMPOSEFILE");
    if (init != 0) throw std::runtime_error(std::string("cannot open the display: ") + SDL_GetError());
    SDL_StopTextInput();
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

SdlPlatform::~SdlPlatform() {
    for (auto& [kind, cursor] : cursors_) SDL_FreeCursor(cursor);
    for (int pid : helpers_) waitpid(pid, nullptr, WNOHANG);
    SDL_Quit();
}

// ---- windows ---------------------------------------------------------------

std::unique_ptr<Window> SdlPlatform::OpenWindow(WindowEvents& events) {
    // The first window is the program's main window; the others stand beside
    // it and stay out of the task bar.
    auto window = std::make_unique<SdlWindow>(*this, events, firstWindow_);
    firstWindow_ = false;
    windows_.push_back(window.get());
    return window;
}

void SdlPlatform::Activated(SdlWindow* window) {
    std::erase(activation_, window);
    activation_.push_back(window);
}

void SdlPlatform::Hidden(SdlWindow* window) {
    const bool wasActive = !activation_.empty() && activation_.back() == window;
    std::erase(activation_, window);
    if (!wasActive) return;
    SdlWindow* next = nullptr;
    for (auto it = activation_.rbegin(); it != activation_.rend() && !next; ++it)
        if ((*it)->Visible()) next = *it;
    if (next) next->Activate();  // which reorders activation_
}

void SdlPlatform::Forget(SdlWindow* window) {
    if (leftHeldBy_ == window) leftHeldBy_ = nullptr;
    std::erase(activation_, window);
    std::erase(windows_, window);
    std::erase(modal_, window);
    if (capture_ == window) capture_ = nullptr;
}

SdlWindow* SdlPlatform::FromSdlId(uint32_t id) const {
    for (SdlWindow* w : windows_)
        if (w->SdlId() == id && id != 0) return w;
    return nullptr;
}

SdlWindow* SdlPlatform::FromXWindow(unsigned long xwindow) const {
    for (SdlWindow* w : windows_)
        if (w->XWindow() == xwindow && xwindow != 0) return w;
    return nullptr;
}

int SdlPlatform::ScreenWidth() const {
    SDL_Rect r{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &r);
    return r.w;
}

int SdlPlatform::ScreenHeight() const {
    SDL_Rect r{0, 0, 0, 0};
    SDL_GetDisplayBounds(0, &r);
    return r.h;
}

int SdlPlatform::ScreenBitsPerPixel() const {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 0;
    return int(SDL_BITSPERPIXEL(mode.format));
}

// ---- cursors ---------------------------------------------------------------

void SdlPlatform::DefineCursor(CursorKind kind, const CursorImage& image) {
    const Bitmap& picture = image.Picture;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, picture.Width, picture.Height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    for (int y = 0; y < picture.Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + size_t(y) * size_t(surface->pitch));
        for (int x = 0; x < picture.Width; ++x)
            row[x] = image.Shape.Contains(x, y) ? 0xFF000000u | picture.At(x, y) : 0u;
    }
    SDL_Cursor* cursor = SDL_CreateColorCursor(surface, image.HotX, image.HotY);
    SDL_FreeSurface(surface);
    if (!cursor) return;
    if (auto it = cursors_.find(kind); it != cursors_.end()) SDL_FreeCursor(it->second);
    cursors_[kind] = cursor;
}

void SdlPlatform::SetCursor(CursorKind kind) {
    auto it = cursors_.find(kind);
    SDL_SetCursor(it != cursors_.end() ? it->second : SDL_GetDefaultCursor());
}

// ---- loops -----------------------------------------------------------------

void SdlPlatform::Run() { Loop(nullptr); }

bool SdlPlatform::RunModal(Window& modal, const std::function<bool()>& finished) {
    auto* window = static_cast<SdlWindow*>(&modal);
    modal_.push_back(window);
    const bool result = Loop(finished);
    std::erase(modal_, window);
    return result;
}

bool SdlPlatform::Loop(const std::function<bool()>& finished) {
    for (;;) {
        if (finished && finished()) return true;
        if (quit_) return false;
        FireDueTimers();
        if (finished && finished()) return true;
        if (quit_) return false;
        SDL_Event event;
        // While the left button is held the wait is short, so a release
        // that X never reported is noticed at once when nothing comes.
        int wait = MsToNextTimer();
        if (leftHeldBy_) wait = wait < 0 ? ReleaseCheckMs : std::min(wait, ReleaseCheckMs);
        if (SDL_WaitEventTimeout(&event, wait))
            Dispatch(event);
        else
            RecoverLostRelease();
        // Help viewers that have ended are reaped here, so none lingers.
        std::erase_if(helpers_, [](int pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
    }
}

void SdlPlatform::RecoverLostRelease() {
    // A press followed at once by its release can lose the release: X then
    // hands it to the input extension, which nobody here asked for. The
    // button's state tells.
    if (!leftHeldBy_) return;
    SdlWindow* holder = capture_ ? capture_ : leftHeldBy_;
    int rootX = 0, rootY = 0;
    bool leftDown = true;
    if (!X11PointerState(holder->X11(), rootX, rootY, leftDown) || leftDown) return;
    // X puts every event it made before answering ahead of the answer: if
    // the release was made, it is waiting now, and it comes first.
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
    leftHeldBy_ = nullptr;
    MouseEvent e;
    e.Button = MouseButton::Left;
    e.Modifiers = PortableModifiers(uint16_t(SDL_GetModState()));
    e.X = rootX - holder->Bounds().Left;
    e.Y = rootY - holder->Bounds().Top;
    if (holder->Visible()) holder->Events().OnMouseUp(e);
}

bool SdlPlatform::Accepts(const SdlWindow* window) const {
    return window && window->Visible() && (modal_.empty() || modal_.back() == window);
}

void SdlPlatform::Dispatch(const SDL_Event& event) {
    switch (event.type) {
        case SDL_SYSWMEVENT:
            if (auto pointer = X11PointerEvent(event.syswm.msg)) DispatchPointer(*pointer);
            break;
        case SDL_WINDOWEVENT: DispatchWindowEvent(event); break;
        case SDL_MOUSEMOTION: DispatchSdlMove(event); break;
        case SDL_KEYDOWN: DispatchKey(event); break;
        case SDL_QUIT: quit_ = true; break;  // a signal asked the program to end
        default: break;
    }
}

void SdlPlatform::DispatchWindowEvent(const SDL_Event& event) {
    SdlWindow* window = FromSdlId(event.window.windowID);
    if (!window) return;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
            if (window->Visible()) window->Events().OnPaint();
            break;
        case SDL_WINDOWEVENT_CLOSE:
            if (Accepts(window)) window->Events().OnCloseRequest();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // SDL lets go of any pointer grab when the focus moves; a drag
            // in progress keeps its capture.
            if (SdlWindow* holder = capture_) {
                holder->ReleaseMouse();
                holder->CaptureMouse();
            }
            break;
        default: break;
    }
}

void SdlPlatform::DispatchSdlMove(const SDL_Event& event) {
    // X sends a move through its input extension, which only SDL reads,
    // when no button is held, and also when a press is followed so fast
    // that the move arrives before our grab: then only this event tells of
    // it, and its point (cut to the window by SDL) is taken from X afresh.
    // Once grabbed, the same moves come as core events too; a move handled
    // twice puts the pointer at the same place twice.
    SdlWindow* target = capture_ ? capture_ : FromSdlId(event.motion.windowID);
    if (!Accepts(target)) return;
    MouseEvent e;
    e.Modifiers = PortableModifiers(uint16_t(SDL_GetModState()));
    e.X = event.motion.x;
    e.Y = event.motion.y;
    if (capture_ || event.motion.state != 0) {
        int rootX = 0, rootY = 0;
        bool leftDown = false;
        if (!X11PointerState(target->X11(), rootX, rootY, leftDown)) return;
        e.X = rootX - target->Bounds().Left;
        e.Y = rootY - target->Bounds().Top;
    }
    target->Events().OnMouseMove(e);
}

void SdlPlatform::DispatchKey(const SDL_Event& event) {
    SdlWindow* window = FromSdlId(event.key.windowID);
    if (!window && !modal_.empty()) window = modal_.back();
    if (!Accepts(window)) return;
    const unsigned modifiers = PortableModifiers(event.key.keysym.mod);
    // Alt+F4 asks the window to close, as everywhere; a window manager
    // usually takes it first, without one it reaches us.
    if (event.key.keysym.sym == SDLK_F4 && modifiers == Modifier::Alt) {
        if (!event.key.repeat) window->Events().OnCloseRequest();
        return;
    }
    window->Events().OnKeyDown(PortableKey(event.key.keysym.sym), modifiers);
}

void SdlPlatform::DispatchPointer(const XPointerEvent& x) {
    using Kind = XPointerEvent::Kind;
    if (x.Type == Kind::Leave) {
        SdlWindow* window = FromXWindow(x.Window);
        if (window && window != capture_ && window->Visible()) window->Events().OnMouseLeave();
        return;
    }
    MouseEvent e;
    if (x.Button == 1)
        e.Button = MouseButton::Left;
    else if (x.Button == 2)
        e.Button = MouseButton::Middle;
    else if (x.Button == 3)
        e.Button = MouseButton::Right;
    else if (x.Type != Kind::Motion)
        return;  // the wheel and extra buttons
    SdlWindow* target = capture_ ? capture_ : FromXWindow(x.Window);
    if (!Accepts(target)) return;
    e.Modifiers = (x.Shift ? Modifier::Shift : 0u) | (x.Ctrl ? Modifier::Ctrl : 0u) | (x.Alt ? Modifier::Alt : 0u);
    // Screen coordinates against the place we keep, so the point stays right
    // while moves of the window are still on their way to the X server.
    e.X = x.RootX - target->Bounds().Left;
    e.Y = x.RootY - target->Bounds().Top;
    switch (x.Type) {
        case Kind::Press:
            e.Clicks = clicks_.Press(reinterpret_cast<uintptr_t>(target), e.Button == MouseButton::Left, x.Time,
                                     x.RootX, x.RootY);
            if (e.Button == MouseButton::Left) leftHeldBy_ = target;
            // A press activates the window it lands on.
            target->Activate();
            target->Events().OnMouseDown(e);
            break;
        case Kind::Release:
            if (e.Button == MouseButton::Left) {
                if (!leftHeldBy_) return;  // already given by RecoverLostRelease
                leftHeldBy_ = nullptr;
            }
            target->Events().OnMouseUp(e);
            break;
        default: e.Button = MouseButton::Left, target->Events().OnMouseMove(e); break;
    }
}

// ---- timers ----------------------------------------------------------------

TimerId SdlPlatform::StartTimer(int intervalMs, std::function<void()> tick) {
    if (intervalMs <= 0 || !tick) return 0;
    const TimerId id = nextTimer_++;
    timers_[id] = TimerRecord{intervalMs, SDL_GetTicks64() + uint64_t(intervalMs), std::move(tick)};
    return id;
}

void SdlPlatform::StopTimer(TimerId id) { timers_.erase(id); }

int SdlPlatform::MsToNextTimer() const {
    if (timers_.empty()) return -1;
    uint64_t due = UINT64_MAX;
    for (const auto& [id, timer] : timers_) due = std::min(due, timer.Due);
    const uint64_t now = SDL_GetTicks64();
    return due <= now ? 0 : int(std::min<uint64_t>(due - now, 60'000));
}

void SdlPlatform::FireDueTimers() {
    const uint64_t now = SDL_GetTicks64();
    std::vector<TimerId> due;
    for (const auto& [id, timer] : timers_)
        if (timer.Due <= now) due.push_back(id);
    for (TimerId id : due) {
        auto it = timers_.find(id);
        if (it == timers_.end()) continue;  // an earlier tick stopped it
        // Ticks missed while the program was busy are not made up for: one
        // tick, then the period runs on from now, as window systems do.
        it->second.Due += uint64_t(it->second.Interval);
        if (it->second.Due <= now) it->second.Due = now + uint64_t(it->second.Interval);
        auto tick = it->second.Tick;  // the tick may stop or restart its own timer
        tick();
    }
}

// ---- the rest --------------------------------------------------------------

void SdlPlatform::ShowMessage(const std::string& title, const std::string& text) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title.c_str(), text.c_str(), nullptr) != 0)
        std::fprintf(stderr, "%s: %s (no message box: %s)\n", title.c_str(), text.c_str(), SDL_GetError());
}

bool SdlPlatform::OpenHelp(const std::string& path) {
    const auto document = FindHelpDocument(path, ProgramPath(), [](const std::string& p) {
        std::error_code ec;
        return std::filesystem::is_regular_file(p, ec);
    });
    if (!document) return false;
    const int pid = StartHelpViewer(*document);
    if (pid < 0) return false;
    helpers_.push_back(pid);
    return true;
}

std::string SdlPlatform::ProgramPath() const {
    std::error_code ec;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

std::unique_ptr<Store> SdlPlatform::OpenStore() {
    if (auto path = IniFileStore::DefaultPath()) return std::make_unique<IniFileStore>(*path);
    // Neither XDG_CONFIG_HOME nor HOME names a folder: the game runs on its
    // defaults and keeps nothing.
    return std::make_unique<MemoryStore>();
}
