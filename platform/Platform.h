// Platform: the little the program asks of the operating system, behind one
// interface with a headless backend for the tests and desktop backends for
// the real thing.
//
// Windows are borderless, placed and sized in screen pixels; their client
// area is their whole area. The program composes every pixel itself into
// Bitmaps and presents them; window shapes are Region masks. Everything runs
// on one thread: the backend calls the window's WindowEvents from inside
// Run or RunModal, one event at a time, and timer ticks come the same way.
//
// Names avoid those that <windows.h> defines as macros (CreateWindow,
// MessageBox, LoadCursor, ...), so the Win32 backend can include both.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "game/Store.h"
#include "util/Bitmap.h"
#include "util/Cursor.h"
#include "util/Geometry.h"
#include "util/Region.h"

// Virtual-key codes of the keys the program uses; the Windows values serve
// as the portable codes on every backend. Keys the program ignores may come
// with any other code.
namespace Key {
inline constexpr int Backspace = 8;
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int F1 = 112;  // F1..F12 are 112..123
inline constexpr int F12 = 123;
inline constexpr int Function(int n) { return F1 + n - 1; }
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
// The digits of the main keyboard and the keypad alike: '0'..'9', 48..57.
inline constexpr int Digit(int n) { return '0' + n; }
inline constexpr bool IsDigit(int key) { return key >= '0' && key <= '9'; }
}  // namespace Key

// Modifier keys held during an event, as bit flags.
namespace Modifier {
inline constexpr unsigned Shift = 1;
inline constexpr unsigned Ctrl = 2;
inline constexpr unsigned Alt = 4;
}  // namespace Modifier

enum class MouseButton { Left, Right, Middle };

struct MouseEvent {
    MouseButton Button = MouseButton::Left;  // the button pressed or released; unused for moves
    unsigned Modifiers = 0;                  // Modifier flags
    int X = 0, Y = 0;                        // client coordinates; outside the window while captured
    // 2 on the second press of a double click (a mouse-down with
    // Clicks = 2), otherwise 1.
    int Clicks = 1;
    // Pressed, moved or released by a finger on a touch screen, which
    // covers what it touches.
    bool Touch = false;
    // When the router handed the press or release on, by the backend's clock.
    uint64_t TimeMs = 0;
};

// What a window's owner is told. Every handler has a default that ignores
// the event.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    // The system needs the window's pixels again (first showing, uncovered).
    virtual void OnPaint() {}
    virtual void OnMouseDown(const MouseEvent&) {}
    virtual void OnMouseMove(const MouseEvent&) {}
    virtual void OnMouseUp(const MouseEvent&) {}
    // The pointer left the window (not sent while the window holds the capture).
    virtual void OnMouseLeave() {}
    virtual void OnKeyDown(int /*key*/, unsigned /*modifiers*/) {}
    // The user asked the window to close (system menu, Alt+F4, the window
    // manager). Nothing is closed for the owner; it decides.
    virtual void OnCloseRequest() {}
    // The desktop session ends or the program was told to end (a signal,
    // log-off): told to the main window only. Nobody is there to answer a
    // question, so nothing may wait for one; by default a close request.
    virtual void OnSessionEnd() { OnCloseRequest(); }
    // The window held the mouse (a press not yet released) and lost it to a
    // modal window: whatever the press started is over, and its release
    // will not come.
    virtual void OnCaptureLost() {}
    // The window now stands on a screen that wants another drawing scale
    // (moved to a monitor of another density).
    virtual void OnScaleWanted(int /*scale*/) {}
};

// One borderless top-level window.
class Window {
public:
    virtual ~Window() = default;

    virtual void SetBounds(const Rect& bounds) = 0;
    // Where the window is now: the system's word, so a window manager's
    // move is seen here too.
    virtual Rect Bounds() const = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // Show also brings the window to the front and gives it the keyboard.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void BringToFront() = 0;

    // Cuts the window to the mask (window coordinates); nullptr makes it a
    // plain rectangle again. The backend keeps its own copy.
    virtual void SetShape(const Region* shape) = 0;

    // Puts the part `dirty` (client coordinates) of surface on the screen.
    // The surface is the window's client-sized picture. When its pixels are
    // the window's own (SurfacePixels), nothing is copied: the system shows
    // them where they lie.
    virtual void Present(const Bitmap& surface, const Rect& dirty) = 0;

    // The memory the system shows the window from, as the pixels of a
    // client-sized Bitmap (0x00RRGGBB, rows top to bottom, no padding), so
    // that the program draws straight into what is shown; or nothing, where
    // the system keeps no such memory for the window at its size now (a
    // window never shown, a screen of another pixel format). The memory is
    // the window's: valid until its size changes or it is destroyed, and
    // asked for again before each use.
    virtual uint32_t* SurfacePixels() { return nullptr; }

    // While captured, every mouse event goes to this window, also outside it.
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
};

// The closed hand is the cursor shown while a ball is carried; its picture
// (a CursorImage, util/Cursor.h) is handed over with DefineCursor.
enum class CursorKind { Default, ClosedHand };

using TimerId = int;

class Platform {
public:
    virtual ~Platform() = default;

    // A new hidden window at (0, 0) of size 0 x 0, reporting to events,
    // which must outlive the window.
    virtual std::unique_ptr<Window> OpenWindow(WindowEvents& events) = 0;

    virtual int ScreenWidth() const = 0;
    virtual int ScreenHeight() const = 0;
    // The part of the screen windows may use (without panels and task
    // bars), in screen pixels; the whole screen where the system says nothing.
    virtual Rect WorkArea() const { return Rect{0, 0, ScreenWidth(), ScreenHeight()}; }
    virtual int ScreenBitsPerPixel() const = 0;
    // The drawing scale (1, 2 or 3) the desktop asks for: its dots per inch
    // over 96, or the scale its users set; 1 where it says nothing.
    virtual int PreferredScale() const { return 1; }
    // The program now draws at `scale` (at start and after every change): a
    // backend that shows the pixels at a size of its own (the page) fits
    // them anew. Desktops show them as they are.
    virtual void DrawingScaleChanged(int /*scale*/) {}

    // The picture of a cursor kind; kinds without one show the system arrow.
    virtual void DefineCursor(CursorKind kind, const CursorImage& image) = 0;
    virtual void SetCursor(CursorKind kind) = 0;
    // A ball is carried from `ball` (pixels of `window`) until CarryEnded: a
    // backend whose pointer may be a finger shows a copy of it where the
    // player can see it. Under a mouse pointer the closed hand is enough.
    virtual void CarryStarted(Window& /*window*/, const Rect& /*ball*/) {}
    virtual void CarryEnded() {}
    // Tells assistive technology (a screen reader) what the windows' pictures
    // now show, in words; where the system offers no such channel, nothing.
    virtual void Announce(const std::string& /*words*/) {}

    // The main loop: returns once Quit was called.
    virtual void Run() = 0;
    virtual void Quit() = 0;

    // A nested loop for the modal window: events are handled until
    // finished() is true after one of them. Meanwhile timers tick and all
    // windows are painted, but only `modal` receives input. Returns true
    // when finished() ended it, false when the program is quitting (or, on
    // the headless backend, when the test scripted nothing more to do).
    virtual bool RunModal(Window& modal, const std::function<bool()>& finished) = 0;

    // A periodic timer on the UI thread; the first tick comes one interval
    // after the start. An interval of 0 or less starts nothing and gives 0,
    // which is never a timer. Stopping an unknown or stopped timer does nothing.
    virtual TimerId StartTimer(int intervalMs, std::function<void()> tick) = 0;
    virtual void StopTimer(TimerId id) = 0;

    // A modal message box with one OK button; returns when it is closed.
    virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
    // Tells of a problem where nobody may be there to read a message box
    // (the session ending): the error stream, a log. Never waits.
    virtual void ReportUnattended(const std::string& title, const std::string& text);

    // Shows the help document; false when it could not be opened.
    virtual bool OpenHelp(const std::string& path) = 0;

    // Full path of the running program file.
    virtual std::string ProgramPath() const = 0;

    // The per-user store of options, records and window positions.
    virtual std::unique_ptr<Store> OpenStore() = 0;
};
