// Win32Window: the window, its DIB, its region and its mouse handling.
#include "platform/win32/Win32Window.h"

#include <windowsx.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "platform/win32/WideText.h"
#include "util/Scale.h"

namespace {

// The mask as a region of one rectangle a run; the system merges the runs
// of equal rows into bands itself.
HRGN RegionFromMask(const Region& mask) {
    const std::vector<Span> spans = mask.Spans();
    std::vector<uint8_t> buffer(sizeof(RGNDATAHEADER) + spans.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = DWORD(spans.size());
    data->rdh.nRgnSize = DWORD(spans.size() * sizeof(RECT));
    data->rdh.rcBound = RECT{0, 0, mask.Width(), mask.Height()};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < spans.size(); ++i) rects[i] = RECT{spans[i].Left, spans[i].Y, spans[i].Right, spans[i].Y + 1};
    return ExtCreateRegion(nullptr, DWORD(buffer.size()), data);
}

unsigned KeyModifiers() {
    return (GetKeyState(VK_SHIFT) < 0 ? Modifier::Shift : 0u) | (GetKeyState(VK_CONTROL) < 0 ? Modifier::Ctrl : 0u) |
           (GetKeyState(VK_MENU) < 0 ? Modifier::Alt : 0u);
}

}  // namespace

Win32Window::Win32Window(Win32Platform& platform, WindowEvents& events, HWND owner)
    : RoutedWindow(platform.Router(), events), platform_(platform) {
    // The parent of a pop-up is its owner: an owned window always stands
    // above its owner, so no activation of the board can hide it.
    const DWORD exStyle = owner ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW;
    hwnd_ = CreateWindowExW(exStyle, Win32Platform::WindowClass, L"", WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                            GetModuleHandleW(nullptr), this);
}

Win32Window::~Win32Window() {
    UngrabPointer();
    if (hwnd_) {
        // Whatever the system still sends while the window goes is not ours.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    FreeCanvas();
}

LRESULT CALLBACK Win32Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || window->hwnd_ != hwnd) return DefWindowProcW(hwnd, message, wParam, lParam);
    return window->OnMessage(message, wParam, lParam);
}

// ---- place, visibility, shape ----------------------------------------------

void Win32Window::SetBounds(const Rect& bounds) {
    bounds_ = bounds;
    bounds_.Width = std::max(bounds_.Width, 0);
    bounds_.Height = std::max(bounds_.Height, 0);
    SetWindowPos(hwnd_, nullptr, bounds_.Left, bounds_.Top, bounds_.Width, bounds_.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetTitle(const std::string& title) { SetWindowTextW(hwnd_, WideFromUtf8(title).c_str()); }

bool Win32Window::SystemShow(bool) {
    shownOnce_ = true;
    ShowWindow(hwnd_, SW_SHOW);
    Activate();
    return true;
}

void Win32Window::Activate() {
    if (!Visible()) return;
    if (GetForegroundWindow() != hwnd_) SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
}

void Win32Window::SystemHide() { ShowWindow(hwnd_, SW_HIDE); }

void Win32Window::SystemRaise() { SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

void Win32Window::SetShape(const Region* shape) {
    HRGN region = shape ? RegionFromMask(*shape) : nullptr;
    if (shape && !region) return;  // out of GDI objects: the old shape stays
    // The system owns the region from here on. Redrawing at once (TRUE) is
    // slow where the region goes to an X server; the invalidation asks for
    // one ordinary repaint instead.
    if (!SetWindowRgn(hwnd_, region, FALSE) && region) DeleteObject(region);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// ---- pixels ----------------------------------------------------------------

bool Win32Window::EnsureCanvas(int width, int height) {
    if (dib_ && width == canvasWidth_ && height == canvasHeight_) return true;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the program's rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return false;
    HDC memory = CreateCompatibleDC(nullptr);
    if (!memory) {
        DeleteObject(dib);
        return false;
    }
    std::memset(bits, 0, size_t(width) * size_t(height) * 4);
    auto* newBits = static_cast<uint32_t*>(bits);
    for (int y = 0; y < std::min(height, canvasHeight_); ++y)
        std::memcpy(newBits + size_t(y) * size_t(width), bits_ + size_t(y) * size_t(canvasWidth_),
                    size_t(std::min(width, canvasWidth_)) * 4);
    const bool keep = presented_;
    FreeCanvas();
    presented_ = keep;
    dib_ = dib, memory_ = memory, bits_ = newBits;
    previous_ = SelectObject(memory_, dib_);
    canvasWidth_ = width, canvasHeight_ = height;
    return true;
}

void Win32Window::FreeCanvas() {
    if (memory_) {
        SelectObject(memory_, previous_);
        DeleteDC(memory_);
    }
    if (dib_) DeleteObject(dib_);
    memory_ = nullptr, dib_ = nullptr, previous_ = nullptr, bits_ = nullptr;
    canvasWidth_ = canvasHeight_ = 0;
    presented_ = false;
}

uint32_t* Win32Window::SurfacePixels() {
    // A window never shown has no DIB, as it needs none.
    if (!shownOnce_ || !EnsureCanvas(bounds_.Width, bounds_.Height)) return nullptr;
    return bits_;
}

void Win32Window::Present(const Bitmap& surface, const Rect& dirty) {
    if (!EnsureCanvas(surface.Width, surface.Height)) return;
    const Rect area = Intersect(dirty, Rect{0, 0, surface.Width, surface.Height});
    if (area.Empty()) return;
    // Drawn into the DIB itself: nothing to copy. Otherwise our pixels are
    // 0x00RRGGBB, which is what a 32-bit DIB holds: a copy.
    if (surface.Pixels.data() != bits_) {
        for (int y = area.Top; y < area.Bottom(); ++y)
            std::memcpy(bits_ + size_t(y) * size_t(canvasWidth_) + size_t(area.Left),
                        surface.Pixels.data() + size_t(y) * size_t(surface.Width) + size_t(area.Left),
                        size_t(area.Width) * 4);
    }
    presented_ = true;
    if (!Visible()) return;
    GdiFlush();
    if (HDC dc = GetDC(hwnd_)) {
        BitBlt(dc, area.Left, area.Top, area.Width, area.Height, memory_, area.Left, area.Top, SRCCOPY);
        ReleaseDC(hwnd_, dc);
    }
}

void Win32Window::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const bool ours = presented_ && memory_;
    if (dc && ours) {
        const RECT& r = ps.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory_, r.left, r.top, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
    // Nothing presented yet: the program draws, and presents, itself.
    if (!ours) Router().Expose(this);
}

// ---- mouse capture and leave -----------------------------------------------

bool Win32Window::GrabPointer() {
    if (grabbed_) return true;
    if (!Visible()) return false;
    grabbed_ = true;
    SetCapture(hwnd_);
    return true;
}

void Win32Window::UngrabPointer() {
    if (!grabbed_) return;
    grabbed_ = false;  // first: the capture change this causes is our own
    ReleaseCapture();
    // Asked again now, the system reports at once when the pointer was let
    // go outside the window.
    trackingLeave_ = false;
    if (Visible()) TrackLeave();
}

void Win32Window::TrackLeave() {
    if (trackingLeave_) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
}

MouseEvent Win32Window::MouseAt(WPARAM wParam, LPARAM lParam, MouseButton button) const {
    MouseEvent e;
    e.Button = button;
    // Signed: while captured the pointer may be left of or above the window.
    e.X = GET_X_LPARAM(lParam);
    e.Y = GET_Y_LPARAM(lParam);
    e.Modifiers = ((wParam & MK_SHIFT) ? Modifier::Shift : 0u) | ((wParam & MK_CONTROL) ? Modifier::Ctrl : 0u) |
                  (GetKeyState(VK_MENU) < 0 ? Modifier::Alt : 0u);
    return e;
}

void Win32Window::Press(WPARAM wParam, LPARAM lParam, MouseButton button) {
    const MouseEvent e = MouseAt(wParam, lParam, button);
    POINT screen{e.X, e.Y};
    ClientToScreen(hwnd_, &screen);
    Router().PointerDown(this, e, screen.x, screen.y);
}

// ---- messages --------------------------------------------------------------

LRESULT Win32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: Paint(); return 0;
        case WM_ERASEBKGND: return 1;  // every pixel is ours; erasing would only flicker

        case WM_LBUTTONDOWN: Press(wParam, lParam, MouseButton::Left); return 0;
        case WM_RBUTTONDOWN: Press(wParam, lParam, MouseButton::Right); return 0;
        case WM_MBUTTONDOWN: Press(wParam, lParam, MouseButton::Middle); return 0;
        case WM_LBUTTONUP: Router().PointerUp(this, MouseAt(wParam, lParam, MouseButton::Left)); return 0;
        case WM_RBUTTONUP: Router().PointerUp(this, MouseAt(wParam, lParam, MouseButton::Right)); return 0;
        case WM_MBUTTONUP: Router().PointerUp(this, MouseAt(wParam, lParam, MouseButton::Middle)); return 0;
        case WM_MOUSEMOVE:
            TrackLeave();
            Router().PointerMove(this, MouseAt(wParam, lParam, MouseButton::Left));
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            Router().PointerLeft(this);
            return 0;
        case WM_CAPTURECHANGED:
            // Taken away by the system (another program, a message box):
            // whatever the press started is over.
            if (grabbed_ && reinterpret_cast<HWND>(lParam) != hwnd_) {
                grabbed_ = false;
                Router().CaptureTaken(this);
            }
            return 0;
        case WM_DPICHANGED:
            // Moved to a monitor of another density: the program redraws
            // itself at that scale (and sizes the window for it).
            Router().ScaleWanted(this, ScaleForDpi(LOWORD(wParam)));
            return 0;
        case WM_WINDOWPOSCHANGED: {
            // The system's word on where the window is, whoever moved it.
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE)) bounds_.Left = pos->x, bounds_.Top = pos->y;
            if (!(pos->flags & SWP_NOSIZE)) bounds_.Width = pos->cx, bounds_.Height = pos->cy;
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                platform_.ShowCurrentCursor();
                return TRUE;
            }
            break;
        case WM_MOUSEACTIVATE:
            // Behind a modal window a click neither activates nor reaches us.
            if (!Router().Accepts(this)) return MA_NOACTIVATEANDEAT;
            break;

        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Virtual-key codes are the program's portable key codes, but the
            // keypad's digits are digits; bit 30 marks a key held down and
            // repeating.
            Router().KeyDown(this, wParam >= VK_NUMPAD0 && wParam <= VK_NUMPAD9 ? Key::Digit(int(wParam - VK_NUMPAD0)) : int(wParam),
                             KeyModifiers(), (lParam & (1 << 30)) != 0);
            return 0;
        case WM_SYSKEYUP:
        case WM_SYSCHAR: return 0;  // no system menu to open: Alt and F10 are plain keys here

        case WM_CLOSE: Router().CloseRequest(this); return 0;
        // Logging off or shutting down: yes, and when it happens the main
        // window keeps what the player made before the process goes.
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            if (wParam) Router().EndSession();
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}
