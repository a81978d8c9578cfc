// SdlPlatform: the Linux desktop backend, SDL2 windows on X11.
//
// SDL makes the windows, presents our pixels through each window's software
// surface, hands over the keyboard, the exposures, the moves and the close
// requests, and gives us the X display. Presses, releases, leaves and every
// move while a button is held or the mouse captured are read from the core
// X events themselves (SDL passes them on as system events): they reach us
// outside a grabbing window, where SDL would drop them. Moves with no button
// held come from SDL, since X sends those through its input extension,
// which only SDL reads. Shapes go to X through the shape extension, capture
// is an X pointer grab.
//
// This backend only translates: what each event means for the program is
// decided by the EventRouter, which also runs the loops and the timers on
// the one thread that calls Run.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventRouter.h"
#include "platform/sdl/X11Bridge.h"

union SDL_Event;
struct SDL_Cursor;
class SdlWindow;

class SdlPlatform final : public RoutedPlatform {
public:
    // Opens the display; throws std::runtime_error when there is none.
    SdlPlatform();
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    std::unique_ptr<Window> OpenWindow(WindowEvents& events) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    Rect WorkArea() const override;
    int ScreenBitsPerPixel() const override;
    int PreferredScale() const override;
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override;
    void ShowMessage(const std::string& title, const std::string& text) override;
    bool OpenHelp(const std::string& path) override;
    std::string ProgramPath() const override;
    std::unique_ptr<Store> OpenStore() override;

    uint64_t NowMs() const override;
    bool WaitForEvents(int timeoutMs) override;

private:
    friend class SdlWindow;

    void Dispatch(const SDL_Event& event);
    void DispatchPointer(const XPointerEvent& event);
    void DispatchWindowEvent(const SDL_Event& event);
    void DispatchSdlMove(const SDL_Event& event);
    // Gives the release of the left button that X did not report, if any.
    void RecoverLostRelease();
    static constexpr int ReleaseCheckMs = 50;
    void ReapHelpers();

    SdlWindow* FromSdlId(uint32_t id) const;
    SdlWindow* FromXWindow(unsigned long xwindow) const;
    // The main window, the board: every other stays above it.
    SdlWindow* Owner() const;
    // A window just realized: a later window is made transient for the
    // first; the first, once realized, takes every later one realized before it.
    void TieToOwner(SdlWindow& window);

    std::map<CursorKind, SDL_Cursor*> cursors_;
    struct Helper {
        int Pid;
        std::string Document;
    };
    std::vector<Helper> helpers_;  // help viewers started, reaped when they end
};
