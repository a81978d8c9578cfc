// SdlWindow: one borderless top-level window of the SDL backend.
//
// The place, size, title, visibility and shape are kept here and are what
// the program reads back; the SDL window is made when the window is first
// shown (a window never shown costs no X window and no surface), and then
// follows every change. The shape goes to X with the shape extension once
// the window surface exists; the mouse capture is an X pointer grab.
#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"
#include "platform/sdl/X11Bridge.h"

struct SDL_Window;
class SdlPlatform;

class SdlWindow final : public Window {
public:
    SdlWindow(SdlPlatform& platform, WindowEvents& events, bool inTaskbar);
    ~SdlWindow() override;

    void SetBounds(const Rect& bounds) override;
    Rect Bounds() const override { return bounds_; }
    void SetTitle(const std::string& title) override;
    void Show() override;
    void Hide() override;
    bool Visible() const override { return visible_; }
    void BringToFront() override;
    void SetShape(const Region* shape) override;
    void Present(const Bitmap& surface, const Rect& dirty) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;

    // Raises the window and gives it the keyboard, as a press on it does.
    void Activate();
    WindowEvents& Events() { return events_; }
    uint32_t SdlId() const { return sdlId_; }
    unsigned long XWindow() const { return x11_.Window; }
    const XHandle& X11() const { return x11_; }

private:
    // Makes the SDL window, its surface and its shape; false when SDL failed.
    bool Realize();
    void ApplyShape();

    SdlPlatform& platform_;
    WindowEvents& events_;
    bool inTaskbar_;
    Rect bounds_;
    std::string title_;
    bool visible_ = false;
    std::optional<Region> shape_;

    SDL_Window* window_ = nullptr;
    uint32_t sdlId_ = 0;
    XHandle x11_;
    long savedEventMask_ = 0;  // the window's X event selection while it holds a grab
};
