// X11Bridge: shape, grab and pointer events in Xlib's own terms.
#include "platform/sdl/X11Bridge.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

XHandle X11HandleOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return {};
    return XHandle{info.info.x11.display, info.info.x11.window};
}

void X11SetShape(const XHandle& handle, const std::vector<Rect>* rectangles) {
    if (!handle) return;
    auto* display = static_cast<Display*>(handle.Display);
    if (!rectangles) {
        XShapeCombineMask(display, handle.Window, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> xrects;
        xrects.reserve(rectangles->size());
        for (const Rect& r : *rectangles)
            xrects.push_back(XRectangle{short(r.Left), short(r.Top), static_cast<unsigned short>(r.Width),
                                        static_cast<unsigned short>(r.Height)});
        XShapeCombineRectangles(display, handle.Window, ShapeBounding, 0, 0, xrects.data(), int(xrects.size()),
                                ShapeSet, YXBanded);
    }
    XFlush(display);
}

void X11SetTransientFor(const XHandle& window, const XHandle& owner) {
    if (!window || !owner || window.Display != owner.Display) return;
    auto* display = static_cast<Display*>(window.Display);
    XSetTransientForHint(display, window.Window, owner.Window);
    XFlush(display);
}

void X11Raise(const XHandle& window) {
    if (!window) return;
    auto* display = static_cast<Display*>(window.Display);
    XRaiseWindow(display, window.Window);
    XFlush(display);
}

bool X11GrabPointer(const XHandle& handle, long& savedMask) {
    if (!handle) return false;
    auto* display = static_cast<Display*>(handle.Display);
    // SDL answers an enter on its window by releasing every pointer grab,
    // and a window dragged under the pointer is entered again and again; so
    // the window hears of no crossing while grabbed.
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, handle.Window, &attributes)) return false;
    savedMask = attributes.your_event_mask;
    XSelectInput(display, handle.Window, savedMask & ~(EnterWindowMask | LeaveWindowMask));
    const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    const bool ok = XGrabPointer(display, handle.Window, False, mask, GrabModeAsync, GrabModeAsync, None, None,
                                 CurrentTime) == GrabSuccess;
    if (!ok) XSelectInput(display, handle.Window, savedMask);
    XFlush(display);
    return ok;
}

void X11UngrabPointer(const XHandle& handle, long savedMask) {
    if (!handle) return;
    auto* display = static_cast<Display*>(handle.Display);
    // Crossings are heard again before the ungrab, so the leave it causes
    // when the pointer is elsewhere by now arrives.
    XSelectInput(display, handle.Window, savedMask);
    XUngrabPointer(display, CurrentTime);
    XFlush(display);
}

bool X11PointerState(const XHandle& handle, int& rootX, int& rootY, bool& leftDown) {
    if (!handle) return false;
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned state = 0;
    if (!XQueryPointer(static_cast<Display*>(handle.Display), handle.Window, &root, &child, &rootX, &rootY, &x, &y,
                       &state))
        return false;
    leftDown = (state & Button1Mask) != 0;
    return true;
}

std::optional<XPointerEvent> X11PointerEvent(const SDL_SysWMmsg* message) {
    if (!message || message->subsystem != SDL_SYSWM_X11) return std::nullopt;
    const XEvent& xe = message->msg.x11.event;
    XPointerEvent e;
    unsigned state = 0;
    switch (xe.type) {
        case ButtonPress:
        case ButtonRelease:
            e.Type = xe.type == ButtonPress ? XPointerEvent::Kind::Press : XPointerEvent::Kind::Release;
            e.Window = xe.xbutton.window;
            e.Button = xe.xbutton.button;
            e.RootX = xe.xbutton.x_root, e.RootY = xe.xbutton.y_root;
            e.X = xe.xbutton.x, e.Y = xe.xbutton.y;
            e.Time = uint32_t(xe.xbutton.time);
            state = xe.xbutton.state;
            break;
        case MotionNotify:
            e.Type = XPointerEvent::Kind::Motion;
            e.Window = xe.xmotion.window;
            e.RootX = xe.xmotion.x_root, e.RootY = xe.xmotion.y_root;
            e.X = xe.xmotion.x, e.Y = xe.xmotion.y;
            e.Time = uint32_t(xe.xmotion.time);
            state = xe.xmotion.state;
            break;
        case LeaveNotify:
            // A grab starting is no leave; a grab ending with the pointer
            // elsewhere is one (the window held the pointer until then).
            if (xe.xcrossing.mode == NotifyGrab || xe.xcrossing.detail == NotifyInferior) return std::nullopt;
            e.Type = XPointerEvent::Kind::Leave;
            e.Window = xe.xcrossing.window;
            e.RootX = xe.xcrossing.x_root, e.RootY = xe.xcrossing.y_root;
            e.X = xe.xcrossing.x, e.Y = xe.xcrossing.y;
            e.Time = uint32_t(xe.xcrossing.time);
            state = xe.xcrossing.state;
            break;
        default: return std::nullopt;
    }
    e.Shift = state & ShiftMask;
    e.Ctrl = state & ControlMask;
    e.Alt = state & Mod1Mask;
    return e;
}

std::optional<double> X11ResourceDpi() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return std::nullopt;
    std::optional<double> dpi;
    // The resource database as the desktop loaded it into the server:
    // "name:\tvalue" lines.
    if (const char* resources = XResourceManagerString(display)) {
        const std::string text(resources);
        size_t at = 0;
        while (at < text.size()) {
            const size_t end = std::min(text.find('\n', at), text.size());
            const std::string line = text.substr(at, end - at);
            at = end + 1;
            if (line.rfind("Xft.dpi:", 0) != 0) continue;
            char* stop = nullptr;
            const double value = std::strtod(line.c_str() + 8, &stop);
            if (stop != line.c_str() + 8 && value > 0) dpi = value;
        }
    }
    XCloseDisplay(display);
    return dpi;
}
