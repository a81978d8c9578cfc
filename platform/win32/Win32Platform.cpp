// Win32Platform: window classes, the message loops, input routing, timers
// and the small services.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <stdexcept>

#include "platform/win32/RegistryStore.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Window.h"

namespace {

constexpr const wchar_t* TimerClass = L"QuorVexTimers";

HWND AsHwnd(void* handle) { return static_cast<HWND>(handle); }

LRESULT CALLBACK TimerWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    if (message == WM_TIMER) {
        if (auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            platform->Tick(TimerId(wParam));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool IsMouseInput(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

bool IsKeyInput(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

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
    // Double clicks come as their own message only to classes that ask.
    windows.style = CS_DBLCLKS;
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
    for (const auto& [id, tick] : timers_) KillTimer(AsHwnd(timerWindow_), UINT_PTR(id));
    DestroyWindow(AsHwnd(timerWindow_));
    UnregisterClassW(TimerClass, GetModuleHandleW(nullptr));
    UnregisterClassW(WindowClass, GetModuleHandleW(nullptr));
}

// ---- windows ---------------------------------------------------------------

std::unique_ptr<Window> Win32Platform::OpenWindow(WindowEvents& events) {
    auto window = std::make_unique<Win32Window>(*this, events, firstWindow_);
    firstWindow_ = false;
    windows_.push_back(window.get());
    return window;
}

void Win32Platform::Forget(Win32Window* window) {
    std::erase(windows_, window);
    std::erase(modal_, window);
    if (capture_ == window) capture_ = nullptr;
}

int Win32Platform::ScreenWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
int Win32Platform::ScreenHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

int Win32Platform::ScreenBitsPerPixel() const {
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

// ---- cursors ---------------------------------------------------------------

void Win32Platform::DefineCursor(CursorKind kind, const CursorImage& /*image*/) {
    // The executable carries the closed hand as its cursor resource "FIST",
    // made from the same file as the picture handed over here; the system
    // draws its own resource best (the file's inverting pixels included).
    if (kind != CursorKind::ClosedHand) return;
    if (HCURSOR fist = LoadCursorW(GetModuleHandleW(nullptr), L"FIST")) cursors_[kind] = fist;
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

// ---- loops -----------------------------------------------------------------

void Win32Platform::Run() { Loop(nullptr); }

bool Win32Platform::RunModal(Window& modal, const std::function<bool()>& finished) {
    auto* window = static_cast<Win32Window*>(&modal);
    modal_.push_back(window);
    const bool result = Loop(finished);
    std::erase(modal_, window);
    return result;
}

bool Win32Platform::Accepts(void* hwnd) const {
    return modal_.empty() || modal_.back()->Handle() == AsHwnd(hwnd);
}

bool Win32Platform::Loop(const std::function<bool()>& finished) {
    for (;;) {
        if (finished && finished()) return true;
        if (quit_) return false;
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT from outside (the session ending): every loop ends,
            // and the outer ones must see it too.
            quit_ = true;
            PostQuitMessage(int(message.wParam));
            return false;
        }
        if (got < 0) return false;
        if (!modal_.empty() && !Accepts(message.hwnd)) {
            if (IsMouseInput(message.message)) continue;
            // Keys belong to the modal window wherever the focus is.
            if (IsKeyInput(message.message)) message.hwnd = modal_.back()->Handle();
        }
        DispatchMessageW(&message);
    }
}

// ---- timers ----------------------------------------------------------------

TimerId Win32Platform::StartTimer(int intervalMs, std::function<void()> tick) {
    if (intervalMs <= 0 || !tick) return 0;
    const TimerId id = nextTimer_++;
    if (!SetTimer(AsHwnd(timerWindow_), UINT_PTR(id), UINT(intervalMs), nullptr)) return 0;
    timers_[id] = std::move(tick);
    return id;
}

void Win32Platform::StopTimer(TimerId id) {
    if (timers_.erase(id)) KillTimer(AsHwnd(timerWindow_), UINT_PTR(id));
}

void Win32Platform::Tick(TimerId id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;  // stopped, its last message still queued
    auto tick = it->second;           // the tick may stop or restart its own timer
    tick();
}

// ---- the rest --------------------------------------------------------------

void Win32Platform::ShowMessage(const std::string& title, const std::string& text) {
    HWND owner = modal_.empty() ? GetActiveWindow() : modal_.back()->Handle();
    MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(title).c_str(), MB_OK | MB_ICONWARNING);
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
    std::wstring html = requested;
    const size_t dot = html.find_last_of(L'.');
    const size_t slash = html.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) html.erase(dot);
    html += L".html";
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
