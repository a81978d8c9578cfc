// SdlPlatform: start-up of SDL, the event loop, input routing, timers and
// the small services.
#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>
#include <signal.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/mman.h>
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
#include "util/Scale.h"

namespace {

// A fresh block of pixels about to be written whole has all its pages made
// in one call: touching them one by one costs a trap each, which in a
// virtual machine is several microseconds (a 2x back buffer is 866 pages).
void MakePagesAtOnce(void* data, size_t bytes) {
#if defined(__linux__)
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23  // Linux 5.14; older systems refuse it, which changes nothing
#endif
    static const uintptr_t page = uintptr_t(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (uintptr_t(data) + page - 1) & ~(page - 1);
    const uintptr_t end = (uintptr_t(data) + bytes) & ~(page - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)data, (void)bytes;
#endif
}

}  // namespace

SdlPlatform::SdlPlatform() {
    SetFreshPixelsHook(MakePagesAtOnce);
#if defined(__GLIBC__)
    // Frames, pictures and masks are blocks of hundreds of kilobytes to
    // megabytes, made and let go as the scale or the shape changes. glibc
    // would raise its mmap threshold past the first such block freed and
    // keep later ones in a heap it seldom gives back; a fixed threshold
    // returns every large block to the system the moment it is freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024);
#endif
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
    // SDL turns SIGTERM and SIGINT into a quit event, which ends the game
    // as a log-off does, everything stored; a hang-up (the terminal that
    // started the game closed, a session manager) is told the same way.
    // SDL's handler heeds only those two, so a hang-up is passed on as
    // SIGTERM. A hang-up ignored on purpose (nohup) stays ignored.
    struct sigaction onTerm {}, onHangUp {};
    if (sigaction(SIGTERM, nullptr, &onTerm) == 0 && onTerm.sa_handler != SIG_DFL && onTerm.sa_handler != SIG_IGN &&
        sigaction(SIGHUP, nullptr, &onHangUp) == 0 && onHangUp.sa_handler == SIG_DFL) {
        struct sigaction passOn {};
        passOn.sa_handler = [](int) { raise(SIGTERM); };
        sigemptyset(&passOn.sa_mask);
        sigaction(SIGHUP, &passOn, nullptr);
    }
}

SdlPlatform::~SdlPlatform() {
    for (auto& [kind, cursor] : cursors_) SDL_FreeCursor(cursor);
    for (const Helper& helper : helpers_) waitpid(helper.Pid, nullptr, WNOHANG);
    SDL_Quit();
}

// ---- windows ---------------------------------------------------------------

std::unique_ptr<Window> SdlPlatform::OpenWindow(WindowEvents& events) {
    // The first window is the program's main window; the others stand beside
    // it and stay out of the task bar.
    return std::make_unique<SdlWindow>(*this, events, router_.Windows().empty());
}

SdlWindow* SdlPlatform::Owner() const { return static_cast<SdlWindow*>(router_.MainWindow()); }

void SdlPlatform::TieToOwner(SdlWindow& window) {
    // SDL 2 has no call for this. A window manager reads the hint when a
    // window is mapped and may never look again, so the owner is realized
    // first: a side window shown before the board (a view switched on at
    // start) then already stands above it.
    SdlWindow* owner = Owner();
    if (!owner) return;
    if (&window != owner && !owner->X11()) owner->Realize();
    if (!owner->X11()) return;
    if (&window != owner) {
        X11SetTransientFor(window.X11(), owner->X11());
        return;
    }
    for (RoutedWindow* routed : router_.Windows())
        if (auto* w = static_cast<SdlWindow*>(routed); w != owner && w->X11()) {
            X11SetTransientFor(w->X11(), owner->X11());
            if (w->Visible()) X11Raise(w->X11());
        }
}

SdlWindow* SdlPlatform::FromSdlId(uint32_t id) const {
    for (RoutedWindow* routed : router_.Windows())
        if (auto* w = static_cast<SdlWindow*>(routed); w->SdlId() == id && id != 0) return w;
    return nullptr;
}

SdlWindow* SdlPlatform::FromXWindow(unsigned long xwindow) const {
    for (RoutedWindow* routed : router_.Windows())
        if (auto* w = static_cast<SdlWindow*>(routed); w->XWindow() == xwindow && xwindow != 0) return w;
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
    // A display that cannot be asked is no reason to warn of a low-colour
    // screen: the windows are drawn in 32 bits either way.
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
    const int bits = int(SDL_BITSPERPIXEL(mode.format));
    return bits > 0 ? bits : 32;
}

Rect SdlPlatform::WorkArea() const {
    // The desktop's panels taken away, as the window manager publishes them.
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0 || r.w <= 0 || r.h <= 0) return Platform::WorkArea();
    return Rect{r.x, r.y, r.w, r.h};
}

int SdlPlatform::PreferredScale() const {
    // A scale set for this program's own environment comes first; then the
    // density the desktop publishes for every program.
    if (const char* gdk = std::getenv("GDK_SCALE")) {
        char* end = nullptr;
        const long scale = std::strtol(gdk, &end, 10);
        if (end != gdk && *end == '\0' && scale >= MinScale && scale <= MaxScale) return int(scale);
    }
    if (const auto dpi = X11ResourceDpi()) return ScaleForDpi(*dpi);
    return 1;
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

// ---- waiting and translating -----------------------------------------------

uint64_t SdlPlatform::NowMs() const { return SDL_GetTicks64(); }

bool SdlPlatform::WaitForEvents(int timeoutMs) {
    // While the left button is held the wait is short, so a release that
    // X never reported is noticed at once when nothing comes.
    int wait = timeoutMs;
    if (router_.LeftHeldBy()) wait = wait < 0 ? ReleaseCheckMs : std::min(wait, ReleaseCheckMs);
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, wait))
        Dispatch(event);
    else
        RecoverLostRelease();
    ReapHelpers();
    return true;
}

void SdlPlatform::ReapHelpers() {
    // Help viewers that have ended are reaped here, so none lingers. One
    // that gave up (no browser, no desktop to ask) leaves the player with
    // nothing on the screen: they are told where the document is instead.
    std::vector<std::string> failed;
    std::erase_if(helpers_, [&](const Helper& helper) {
        int status = 0;
        const int done = waitpid(helper.Pid, &status, WNOHANG);
        if (done == 0) return false;
        if (done > 0 && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) failed.push_back(helper.Document);
        return true;
    });
    for (const std::string& document : failed)
        ShowMessage("QuorVex", "The help could not be shown. You can open it yourself: " + document);
}

void SdlPlatform::RecoverLostRelease() {
    // A press followed at once by its release can lose the release: X then
    // hands it to the input extension, which nobody here asked for. The
    // button's state tells. The router gives a release only once.
    auto* holder = static_cast<SdlWindow*>(router_.Captured() ? router_.Captured() : router_.LeftHeldBy());
    if (!holder) return;
    int rootX = 0, rootY = 0;
    bool leftDown = true;
    if (!X11PointerState(holder->X11(), rootX, rootY, leftDown) || leftDown) return;
    // X puts every event it made before answering ahead of the answer: if
    // the release was made, it is waiting now, and it comes first.
    SDL_PumpEvents();
    if (SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
    MouseEvent e;
    e.Button = MouseButton::Left;
    e.Modifiers = PortableModifiers(uint16_t(SDL_GetModState()));
    e.X = rootX - holder->Bounds().Left;
    e.Y = rootY - holder->Bounds().Top;
    router_.PointerUp(holder, e);
}

void SdlPlatform::Dispatch(const SDL_Event& event) {
    switch (event.type) {
        case SDL_SYSWMEVENT:
            if (auto pointer = X11PointerEvent(event.syswm.msg)) DispatchPointer(*pointer);
            break;
        case SDL_WINDOWEVENT: DispatchWindowEvent(event); break;
        case SDL_MOUSEMOTION: DispatchSdlMove(event); break;
        case SDL_KEYDOWN:
            router_.KeyDown(FromSdlId(event.key.windowID), PortableKey(event.key.keysym.sym),
                            PortableModifiers(event.key.keysym.mod), event.key.repeat != 0);
            break;
        // SIGTERM, SIGINT or the session manager: the program is to end.
        case SDL_QUIT:
        case SDL_APP_TERMINATING: router_.EndSession(); break;
        default: break;
    }
}

void SdlPlatform::DispatchWindowEvent(const SDL_Event& event) {
    SdlWindow* window = FromSdlId(event.window.windowID);
    if (!window) return;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_EXPOSED: router_.Expose(window); break;
        case SDL_WINDOWEVENT_CLOSE: router_.CloseRequest(window); break;
        case SDL_WINDOWEVENT_MOVED: window->Moved(event.window.data1, event.window.data2, NowMs()); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // SDL lets go of any pointer grab when the focus moves; a drag
            // in progress keeps its grab.
            if (auto* holder = static_cast<SdlWindow*>(router_.Captured())) {
                holder->UngrabPointer();
                holder->GrabPointer();
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
    auto* window = static_cast<SdlWindow*>(router_.Captured());
    if (!window) window = FromSdlId(event.motion.windowID);
    if (!window) return;
    MouseEvent e;
    e.Modifiers = PortableModifiers(uint16_t(SDL_GetModState()));
    e.X = event.motion.x;
    e.Y = event.motion.y;
    if (router_.Captured() || event.motion.state != 0) {
        int rootX = 0, rootY = 0;
        bool leftDown = false;
        if (!X11PointerState(window->X11(), rootX, rootY, leftDown)) return;
        e.X = rootX - window->Bounds().Left;
        e.Y = rootY - window->Bounds().Top;
    }
    router_.PointerMove(window, e);
}

void SdlPlatform::DispatchPointer(const XPointerEvent& x) {
    using Kind = XPointerEvent::Kind;
    SdlWindow* window = FromXWindow(x.Window);
    if (!window) return;
    if (x.Type == Kind::Leave) {
        router_.PointerLeft(window);
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
    e.Modifiers = (x.Shift ? Modifier::Shift : 0u) | (x.Ctrl ? Modifier::Ctrl : 0u) | (x.Alt ? Modifier::Alt : 0u);
    // The event says where X had the window; that is its place unless a
    // move of ours is still on its way. The point is taken against the
    // place the program believes in, so it stays right while those moves
    // travel.
    window->SeenAt(x.RootX - x.X, x.RootY - x.Y, NowMs());
    e.X = x.RootX - window->Bounds().Left;
    e.Y = x.RootY - window->Bounds().Top;
    switch (x.Type) {
        case Kind::Press: router_.PointerDown(window, e, x.RootX, x.RootY); break;
        case Kind::Release: router_.PointerUp(window, e); break;
        default: router_.PointerMove(window, e); break;
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
    helpers_.push_back(Helper{pid, *document});
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
