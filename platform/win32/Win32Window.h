// Win32Window: one borderless popup window of the Windows backend.
//
// The window keeps the program's last presented pixels in a 32-bit DIB
// section of its size, so the system's own repaints (uncovering, showing
// again) are answered from it without asking the program. The DIB is lent
// to the form as its canvas, so the program draws right into it and a
// present copies nothing before the system's own BitBlt. Shapes become a
// window region; the grab is the system's mouse capture; the mouse leave
// comes from TrackMouseEvent. The place is what the system last reported
// (WM_WINDOWPOSCHANGED), so a move from outside is seen too. What the
// messages mean for the program is the EventRouter's to decide.
//
// Internal to the backend: the only header of the program that includes
// <windows.h> besides the backend's sources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/EventRouter.h"

class Win32Platform;

class Win32Window final : public RoutedWindow {
public:
    // The main window (the first one) stands in the task bar; the others
    // are tool windows beside it.
    // owner: the board's window for every later window, which keeps them
    // above it and out of the task bar; none for the board itself.
    Win32Window(Win32Platform& platform, WindowEvents& events, HWND owner);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    void SetBounds(const Rect& bounds) override;
    Rect Bounds() const override { return bounds_; }
    void SetTitle(const std::string& title) override;
    void SetShape(const Region* shape) override;
    void Present(const Bitmap& surface, const Rect& dirty) override;
    uint32_t* SurfacePixels() override;
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;

protected:
    bool SystemShow(bool wasVisible) override;
    void SystemHide() override;
    void SystemRaise() override;

public:

    HWND Handle() const { return hwnd_; }

    // The window procedure of the backend's window class.
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    // A DIB of the given size, keeping what fits of the old one.
    bool EnsureCanvas(int width, int height);
    void FreeCanvas();
    void TrackLeave();
    MouseEvent MouseAt(WPARAM wParam, LPARAM lParam, MouseButton button) const;
    void Press(WPARAM wParam, LPARAM lParam, MouseButton button);

    Win32Platform& platform_;
    HWND hwnd_ = nullptr;
    bool grabbed_ = false;
    Rect bounds_;
    bool shownOnce_ = false;  // a window never shown is lent no DIB

    HDC memory_ = nullptr;  // holds dib_ for the whole life of the canvas
    HBITMAP dib_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    uint32_t* bits_ = nullptr;  // top-down rows of 0x00RRGGBB, as the program composes them
    int canvasWidth_ = 0, canvasHeight_ = 0;
    bool presented_ = false;  // the canvas holds pixels of the program
    bool trackingLeave_ = false;
};
