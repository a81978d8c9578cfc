// SdlWindow: the window, its surface, its shape and the pointer grab.
#include "platform/sdl/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/ShapeRects.h"

SdlWindow::SdlWindow(SdlPlatform& platform, WindowEvents& events, bool inTaskbar)
    : RoutedWindow(platform.Router(), events), platform_(platform), inTaskbar_(inTaskbar) {}

SdlWindow::~SdlWindow() {
    UngrabPointer();
    if (window_) SDL_DestroyWindow(window_);
}

bool SdlWindow::Realize() {
    if (window_) return true;
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    if (!inTaskbar_) flags |= SDL_WINDOW_SKIP_TASKBAR;
    window_ = SDL_CreateWindow(title_.c_str(), bounds_.Left, bounds_.Top, std::max(bounds_.Width, 1),
                               std::max(bounds_.Height, 1), flags);
    if (!window_) {
        std::fprintf(stderr, "quorvex: cannot create a window: %s\n", SDL_GetError());
        return false;
    }
    sdlId_ = SDL_GetWindowID(window_);
    x11_ = X11HandleOf(window_);
    platform_.TieToOwner(*this);
    // The surface first: the shape must go to the X window that will show it.
    SDL_GetWindowSurface(window_);
    ApplyShape();
    return true;
}

void SdlWindow::SetBounds(const Rect& bounds) {
    const Rect old = bounds_;
    bounds_ = bounds;
    bounds_.Width = std::max(bounds_.Width, 0);
    bounds_.Height = std::max(bounds_.Height, 0);
    if (!window_) return;
    if (bounds_.Width != old.Width || bounds_.Height != old.Height)
        SDL_SetWindowSize(window_, std::max(bounds_.Width, 1), std::max(bounds_.Height, 1));
    if (bounds_.Left != old.Left || bounds_.Top != old.Top) {
        const uint64_t now = platform_.NowMs();
        ForgetOldMoves(now);
        ownMoves_.push_back(OwnMove{bounds_.Left, bounds_.Top, now});
        SDL_SetWindowPosition(window_, bounds_.Left, bounds_.Top);
    }
}

void SdlWindow::ForgetOldMoves(uint64_t nowMs) {
    while (!ownMoves_.empty() && (nowMs - ownMoves_.front().Ms > EchoMs || ownMoves_.size() > 64))
        ownMoves_.pop_front();
}

void SdlWindow::Moved(int left, int top, uint64_t nowMs) {
    ForgetOldMoves(nowMs);
    for (size_t i = 0; i < ownMoves_.size(); ++i)
        if (ownMoves_[i].Left == left && ownMoves_[i].Top == top) {
            // The echo of a move of ours: the place asked for last stands.
            ownMoves_.erase(ownMoves_.begin(), ownMoves_.begin() + std::ptrdiff_t(i) + 1);
            return;
        }
    // Nobody here asked for this place: a window manager moved the window.
    ownMoves_.clear();
    bounds_.Left = left;
    bounds_.Top = top;
}

void SdlWindow::SeenAt(int left, int top, uint64_t nowMs) {
    ForgetOldMoves(nowMs);
    if (!ownMoves_.empty()) return;
    bounds_.Left = left;
    bounds_.Top = top;
}

void SdlWindow::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) SDL_SetWindowTitle(window_, title_.c_str());
}

bool SdlWindow::SystemShow(bool) {
    if (!Realize()) return false;
    SDL_ShowWindow(window_);
    // A window manager may only now know the board as a window of its own:
    // the side windows say again whose they are, so those already showing
    // stand above it.
    platform_.TieToOwner(*this);
    Activate();
    return true;
}

void SdlWindow::Activate() {
    // Forward with the keyboard, as on Windows; without a window manager
    // nobody else would do it.
    if (!Visible()) return;
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

void SdlWindow::SystemHide() { SDL_HideWindow(window_); }

void SdlWindow::SystemRaise() { SDL_RaiseWindow(window_); }

void SdlWindow::SetShape(const Region* shape) {
    // Kept as the rectangles X is given, a small part of the mask's size,
    // for a window realized later (or made again).
    if (shape)
        shape_ = ShapeRectangles(*shape);
    else
        shape_.reset();
    ApplyShape();
}

void SdlWindow::ApplyShape() {
    if (!x11_) return;
    X11SetShape(x11_, shape_ ? &*shape_ : nullptr);
}

uint32_t* SdlWindow::SurfacePixels() {
    if (!window_) return nullptr;
    // SDL makes the surface again after a change of size, freeing the old
    // one; only what it hands out now, at our size, is ours to draw in.
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target || target->w != bounds_.Width || target->h != bounds_.Height) return nullptr;
    // XRGB8888 rows without padding are our Bitmap's layout exactly; a
    // screen of any other depth gets a converted copy in Present instead.
    if (target->format->format != SDL_PIXELFORMAT_XRGB8888 || target->pitch != target->w * 4) return nullptr;
    if (target->pixels != lent_) {
        // A new surface, about to be composed whole.
        lent_ = target->pixels;
        FreshPixels(lent_, size_t(target->pitch) * size_t(target->h));
    }
    return static_cast<uint32_t*>(target->pixels);
}

void SdlWindow::Present(const Bitmap& surface, const Rect& dirty) {
    if (!window_ || !Visible()) return;
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (!target) return;
    const Rect area = Intersect(Intersect(dirty, Rect{0, 0, surface.Width, surface.Height}),
                                Rect{0, 0, target->w, target->h});
    if (area.Empty()) return;
    // Drawn into the surface itself: nothing to copy. Otherwise our pixels
    // are 0x00RRGGBB, SDL's XRGB8888; on a 32-bit screen this is a plain
    // copy, on any other the conversion SDL knows.
    if (surface.Pixels.data() != target->pixels) {
        const auto* source = surface.Pixels.data() + size_t(area.Top) * size_t(surface.Width) + size_t(area.Left);
        auto* destination = static_cast<uint8_t*>(target->pixels) + size_t(area.Top) * size_t(target->pitch) +
                            size_t(area.Left) * target->format->BytesPerPixel;
        SDL_ConvertPixels(area.Width, area.Height, SDL_PIXELFORMAT_XRGB8888, source, surface.Width * 4,
                          target->format->format, destination, target->pitch);
    }
    const SDL_Rect rect{area.Left, area.Top, area.Width, area.Height};
    SDL_UpdateWindowSurfaceRects(window_, &rect, 1);
}

bool SdlWindow::GrabPointer() {
    if (grabbed_) return true;
    grabbed_ = Visible() && X11GrabPointer(x11_, savedEventMask_);
    return grabbed_;
}

void SdlWindow::UngrabPointer() {
    if (!grabbed_) return;
    grabbed_ = false;
    X11UngrabPointer(x11_, savedEventMask_);
}
