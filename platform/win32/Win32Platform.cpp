// Win32Platform: window classes, the message loops, input routing, timers
// and the small services.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/RegistryStore.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Window.h"
#include "util/HelpFile.h"
#include "util/Scale.h"

namespace {

constexpr const wchar_t* TimerClass = L"QuorVexTimers";
constexpr UINT_PTR WakeTimer = 1;

HWND AsHwnd(void* handle) { return static_cast<HWND>(handle); }

LRESULT CALLBACK TimerWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    if (message == WM_TIMER) {
        // Also reached from the system's own loops (a message box), where
        // ours does not run: the game's timers keep ticking there too.
        auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!platform) return 0;
        EventRouter& router = platform->Router();
        router.FireDueTimers();
        const int next = router.MsToNextTimer();
        if (next >= 0)
            SetTimer(hwnd, wParam, UINT(std::max(next, 1)), nullptr);
        else
            KillTimer(hwnd, wParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// WinHelp where the system still has it (not on current Windows, where
// user32 keeps only a stub that says so); false when it is not there.
bool ShowWinHelp(const std::wstring& file) {
    using WinHelpFunction = BOOL(WINAPI*)(HWND, LPCWSTR, UINT, ULONG_PTR);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto winHelp = user32 ? reinterpret_cast<WinHelpFunction>(
                                reinterpret_cast<void*>(GetProcAddress(user32, "WinHelpW")))
                          : nullptr;
    return winHelp && winHelp(nullptr, file.c_str(), HELP_FINDER, 0);
}

}  // namespace

Win32Platform::Win32Platform() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windows{};
    windows.cbSize = sizeof(windows);
    // No CS_DBLCLKS: every press comes as a press, and the router pairs them.
    windows.lpfnWndProc = Win32Window::Procedure;
    windows.hInstance = instance;
    windows.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windows.hIconSm = windows.hIcon;
    windows.lpszClassName = WindowClass;
    // No class cursor and no background: WM_SETCURSOR and WM_PAINT decide.
    if (!RegisterClassExW(&windows)) throw std::runtime_error("cannot register the window class");

    WNDCLASSEXW timers{};
    timers.cbSize = sizeof(timers);
    timers.lpfnWndProc = TimerWindowProcedure;
    timers.hInstance = instance;
    timers.lpszClassName = TimerClass;
    if (!RegisterClassExW(&timers)) throw std::runtime_error("cannot register the timer window class");
    timerWindow_ = CreateWindowExW(0, TimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    if (!timerWindow_) throw std::runtime_error("cannot create the timer window");

    cursors_[CursorKind::Default] = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
}

Win32Platform::~Win32Platform() {
    KillTimer(AsHwnd(timerWindow_), WakeTimer);
    DestroyWindow(AsHwnd(timerWindow_));
    UnregisterClassW(TimerClass, GetModuleHandleW(nullptr));
    UnregisterClassW(WindowClass, GetModuleHandleW(nullptr));
}

// ---- windows ---------------------------------------------------------------

std::unique_ptr<Window> Win32Platform::OpenWindow(WindowEvents& events) {
    // The first window is the board; every later one is owned by it.
    return std::make_unique<Win32Window>(*this, events, static_cast<HWND>(Owner()));
}

int Win32Platform::ScreenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Platform::ScreenHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

void* Win32Platform::Owner() const {
    const auto* main = static_cast<const Win32Window*>(router_.MainWindow());
    return main ? main->Handle() : nullptr;
}

Rect Win32Platform::WorkArea() const {
    // The work area of the monitor the board stands on (the primary one
    // before the board exists): the screen without the task bar.
    HMONITOR monitor = Owner() ? MonitorFromWindow(static_cast<HWND>(Owner()), MONITOR_DEFAULTTOPRIMARY)
                               : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return Platform::WorkArea();
    const RECT& r = info.rcWork;
    return Rect{int(r.left), int(r.top), int(r.right - r.left), int(r.bottom - r.top)};
}

int Win32Platform::ScreenBitsPerPixel() const {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

int Win32Platform::PreferredScale() const {
    // The system's density (the primary monitor's, as the manifest makes
    // the program aware of each monitor's); GetDpiForSystem is only on
    // Windows 10 and later, so it is looked up rather than linked.
    using DpiFunction = UINT(WINAPI*)();
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto forSystem = user32 ? reinterpret_cast<DpiFunction>(
                                  reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")))
                            : nullptr;
    UINT dpi = forSystem ? forSystem() : 0;
    if (dpi == 0) {
        if (HDC screen = GetDC(nullptr)) {
            dpi = UINT(GetDeviceCaps(screen, LOGPIXELSX));
            ReleaseDC(nullptr, screen);
        }
    }
    return ScaleForDpi(dpi);
}

// ---- cursors ---------------------------------------------------------------

namespace {

// A colour cursor made from the picture and its shape (pixels outside the
// shape transparent).
HCURSOR CursorFromImage(const CursorImage& image) {
    const Bitmap& picture = image.Picture;
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = picture.Width;
    header.bV5Height = -picture.Height;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            pixels[size_t(y) * size_t(picture.Width) + size_t(x)] =
                image.Shape.Contains(x, y) ? 0xFF000000u | picture.At(x, y) : 0u;
    HBITMAP mask = CreateBitmap(picture.Width, picture.Height, 1, 1, nullptr);
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = DWORD(image.HotX);
    info.yHotspot = DWORD(image.HotY);
    info.hbmMask = mask;
    info.hbmColor = colour;
    HCURSOR cursor = reinterpret_cast<HCURSOR>(CreateIconIndirect(&info));
    DeleteObject(colour);
    if (mask) DeleteObject(mask);
    return cursor;
}

}  // namespace

void Win32Platform::DefineCursor(CursorKind kind, const CursorImage& image) {
    if (kind != CursorKind::ClosedHand) return;
    // At 1x the executable's own cursor resource "FIST", made from the same
    // file as the picture handed over here: the system draws its resource
    // best (the file's inverting pixels included). At a larger scale the
    // picture handed over, which is drawn for it.
    HCURSOR cursor = image.Picture.Width > 32 ? CursorFromImage(image) : nullptr;
    if (!cursor) cursor = LoadCursorW(GetModuleHandleW(nullptr), L"FIST");
    if (cursor) cursors_[kind] = cursor;
    ShowCurrentCursor();
}

void Win32Platform::SetCursor(CursorKind kind) {
    cursor_ = kind;
    ShowCurrentCursor();
}

void Win32Platform::ShowCurrentCursor() const {
    auto it = cursors_.find(cursor_);
    if (it == cursors_.end()) it = cursors_.find(CursorKind::Default);
    ::SetCursor(it != cursors_.end() ? static_cast<HCURSOR>(it->second) : nullptr);
}

// ---- waiting ---------------------------------------------------------------

uint64_t Win32Platform::NowMs() const { return GetTickCount64(); }

bool Win32Platform::WaitForEvents(int timeoutMs) {
    // The wake timer ends the wait when the next tick is due; its message
    // runs the due timers itself.
    if (timeoutMs >= 0) SetTimer(AsHwnd(timerWindow_), WakeTimer, UINT(std::max(timeoutMs, 1)), nullptr);
    MSG message;
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
        // WM_QUIT from outside: the program is to end, as at a session's end.
        router_.EndSession();
        return true;
    }
    if (got < 0) return false;
    DispatchMessageW(&message);
    return true;
}

// ---- the rest --------------------------------------------------------------

void Win32Platform::ShowMessage(const std::string& title, const std::string& text) {
    auto* modal = static_cast<Win32Window*>(router_.ModalWindow());
    HWND owner = modal ? modal->Handle() : GetActiveWindow();
    MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(), MB_OK | MB_ICONWARNING);
}

void Win32Platform::ReportUnattended(const std::string& title, const std::string& text) {
    // The application event log, where an administrator looks after a
    // log-off; and the error stream for whoever started the program.
    Platform::ReportUnattended(title, text);
    if (HANDLE log = RegisterEventSourceW(nullptr, L"QuorVex")) {
        const std::wstring message = WideFromUtf8(title + ": " + text);
        const wchar_t* strings[] = {message.c_str()};
        ReportEventW(log, EVENTLOG_WARNING_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
        DeregisterEventSource(log);
    }
}

void Win32Platform::ShowStartFailure(const std::string& text) {
    MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"QuorVex", MB_OK | MB_ICONERROR);
}

bool Win32Platform::OpenHelp(const std::string& path) {
    const std::wstring requested = WideFromUtf8(path);
    if (requested.empty()) return false;
    if (FileExists(requested) && ShowWinHelp(requested)) return true;
    // The help the project ships: the same name as HTML, shown by whatever
    // the user opens web pages with.
    const std::wstring html = WideFromUtf8(HtmlHelpFor(path));
    if (!FileExists(html)) return false;
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", html.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::string Win32Platform::ProgramPath() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return Utf8FromWide(path);
        }
        // Cut short: a longer path than MAX_PATH, possible on current Windows.
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

std::unique_ptr<Store> Win32Platform::OpenStore() { return std::make_unique<RegistryStore>(); }
