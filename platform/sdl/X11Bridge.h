// X11Bridge: the few X requests the backend makes itself, and the pointer
// events it reads from X, behind plain types.
//
// Xlib calls its window handle `Window`, as the platform interface names
// its window class, so X headers (and SDL_syswm.h, which pulls them in)
// are included only by this unit's source.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "util/Geometry.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// The X display and window behind an SDL window.
struct XHandle {
    void* Display = nullptr;
    unsigned long Window = 0;
    explicit operator bool() const { return Display && Window; }
};

XHandle X11HandleOf(SDL_Window* window);

// Cuts the window to the rectangles (y-x banded); nullptr makes it a plain
// rectangle again.
void X11SetShape(const XHandle& handle, const std::vector<Rect>* rectangles);

// Makes `window` transient for `owner`: the window manager keeps it above
// its owner (and out of the task bar), however often the owner is raised.
void X11SetTransientFor(const XHandle& window, const XHandle& owner);
// Puts the window above its siblings without giving it the keyboard.
void X11Raise(const XHandle& window);

// An active pointer grab: every press, release and move goes to the window,
// also outside it, until the ungrab. Meanwhile the window hears of no
// pointer crossing; savedMask keeps its event selection for the ungrab.
bool X11GrabPointer(const XHandle& handle, long& savedMask);
void X11UngrabPointer(const XHandle& handle, long savedMask);

// The screen density desktops publish as the X resource Xft.dpi, read
// from the display named by DISPLAY; nothing when it is not set.
std::optional<double> X11ResourceDpi();

// Where the pointer is now, in screen coordinates, and whether the left
// button is down; false when X cannot say.
bool X11PointerState(const XHandle& handle, int& rootX, int& rootY, bool& leftDown);

// A pointer event as X reported it, coordinates on the screen.
struct XPointerEvent {
    enum class Kind { Press, Release, Motion, Leave };
    Kind Type = Kind::Motion;
    unsigned long Window = 0;
    unsigned Button = 0;  // X's numbering: 1 left, 2 middle, 3 right, 4 and up the wheel
    int RootX = 0, RootY = 0;
    int X = 0, Y = 0;  // in the window's own coordinates, as X placed it when the event was made
    bool Shift = false, Ctrl = false, Alt = false;
    uint32_t Time = 0;  // milliseconds of the X server's clock
};

// The pointer event in a system message, if it holds one. A leave that only
// marks a grab starting, or the pointer going into a child, is none.
std::optional<XPointerEvent> X11PointerEvent(const SDL_SysWMmsg* message);
