// SdlWindow: one borderless top-level window of the SDL backend.
//
// The size, title, visibility and shape are kept here; the place is the
// one last asked for until the system says otherwise (a window manager's
// move, or a pointer event that shows the window elsewhere). The SDL window
// is made when the window is first shown (a window never shown costs no X
// window and no surface), and then follows every change. Its surface is
// lent to the form as its canvas, so a frame is drawn right where X shows
// it from (shared memory), with no copy of ours. The shape goes to X with
// the shape extension once the window surface exists; the mouse capture is
// an X pointer grab.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/EventRouter.h"
#include "platform/sdl/X11Bridge.h"

struct SDL_Window;
class SdlPlatform;

class SdlWindow final : public RoutedWindow {
public:
    // Makes the system's window (hidden) if it does not exist yet.
    bool Realize();
    SdlWindow(SdlPlatform& platform, WindowEvents& events, bool inTaskbar);
    ~SdlWindow() override;

    void SetBounds(const Rect& bounds) override;
    Rect Bounds() const override { return bounds_; }
    void SetTitle(const std::string& title) override;
    void SetShape(const Region* shape) override;
    void Present(const Bitmap& surface, const Rect& dirty) override;
    // The SDL window surface, where it has our pixel layout and size.
    uint32_t* SurfacePixels() override;
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;

protected:
    bool SystemShow(bool wasVisible) override;
    void SystemHide() override;
    void SystemRaise() override;

public:
    // The system moved the window to (left, top): SDL's report of it, which
    // may also be the late echo of a move of our own.
    void Moved(int left, int top, uint64_t nowMs);
    // A pointer event put the window's top-left at (left, top) on the
    // screen; believed when no move of ours is still on its way.
    void SeenAt(int left, int top, uint64_t nowMs);

    uint32_t SdlId() const { return sdlId_; }
    unsigned long XWindow() const { return x11_.Window; }
    const XHandle& X11() const { return x11_; }

private:
    // Makes the SDL window, its surface and its shape; false when SDL failed.
    void ApplyShape();
    void ForgetOldMoves(uint64_t nowMs);

    struct OwnMove {
        int Left, Top;
        uint64_t Ms;
    };
    // Moves asked of the system whose echo may still come; an echo older
    // than this is not expected any more.
    static constexpr uint64_t EchoMs = 1000;

    SdlPlatform& platform_;
    bool inTaskbar_;
    Rect bounds_;
    std::string title_;
    std::optional<std::vector<Rect>> shape_;  // as X is given it
    std::deque<OwnMove> ownMoves_;

    SDL_Window* window_ = nullptr;
    uint32_t sdlId_ = 0;
    XHandle x11_;
    void* lent_ = nullptr;  // the surface's pixels last lent to the form
    bool grabbed_ = false;
    long savedEventMask_ = 0;  // the window's X event selection while it holds a grab
};
