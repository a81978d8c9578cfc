// SdlPlatform: the Linux desktop backend, SDL2 windows on X11.
//
// SDL makes the windows, presents our pixels through each window's software
// surface, hands over the keyboard, the exposures and the close requests,
// and gives us the X display. Presses, releases, leaves and every move
// while a button is held or the mouse captured are read from the core X
// events themselves (SDL passes them on as system events): their root
// coordinates stay right while a window is being dragged, and a captured
// move reaches us outside the window, where SDL would drop it. Moves with
// no button held come from SDL, since X sends those through its input
// extension, which only SDL reads. Shapes go to X through the shape
// extension, capture is an X pointer grab.
//
// Everything runs on the one thread that calls Run: the timers are kept
// here and fired between events, never from an SDL timer thread.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/sdl/DoubleClick.h"
#include "platform/sdl/X11Bridge.h"

union SDL_Event;
struct SDL_Cursor;
class SdlWindow;

class SdlPlatform final : public Platform {
public:
    // Opens the display; throws std::runtime_error when there is none.
    SdlPlatform();
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    std::unique_ptr<Window> OpenWindow(WindowEvents& events) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int ScreenBitsPerPixel() const override;
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override;
    void Run() override;
    void Quit() override { quit_ = true; }
    bool RunModal(Window& modal, const std::function<bool()>& finished) override;
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void ShowMessage(const std::string& title, const std::string& text) override;
    bool OpenHelp(const std::string& path) override;
    std::string ProgramPath() const override;
    std::unique_ptr<Store> OpenStore() override;

private:
    friend class SdlWindow;

    struct TimerRecord {
        int Interval = 0;
        uint64_t Due = 0;
        std::function<void()> Tick;
    };

    // Runs events and timers until finished() holds (true) or Quit (false).
    bool Loop(const std::function<bool()>& finished);
    void FireDueTimers();
    int MsToNextTimer() const;  // -1: no timer
    void Dispatch(const SDL_Event& event);
    void DispatchPointer(const XPointerEvent& event);
    void DispatchWindowEvent(const SDL_Event& event);
    void DispatchKey(const SDL_Event& event);
    void DispatchSdlMove(const SDL_Event& event);
    // Gives the release of the left button that X did not report, if any.
    void RecoverLostRelease();
    static constexpr int ReleaseCheckMs = 50;
    // Input for a window other than the modal one is dropped.
    bool Accepts(const SdlWindow* window) const;

    SdlWindow* FromSdlId(uint32_t id) const;
    SdlWindow* FromXWindow(unsigned long xwindow) const;
    void Forget(SdlWindow* window);
    // The windows in the order they were last activated: when the active one
    // is hidden (a modal window closing), the one before it gets the keyboard
    // back, as on Windows.
    void Activated(SdlWindow* window);
    void Hidden(SdlWindow* window);

    bool quit_ = false;
    bool firstWindow_ = true;
    std::vector<SdlWindow*> windows_;
    std::vector<SdlWindow*> modal_;
    std::vector<SdlWindow*> activation_;  // most recent last
    SdlWindow* capture_ = nullptr;
    SdlWindow* leftHeldBy_ = nullptr;  // the window of a left press not yet released
    DoubleClickTracker clicks_;

    std::map<CursorKind, SDL_Cursor*> cursors_;

    TimerId nextTimer_ = 1;
    std::map<TimerId, TimerRecord> timers_;

    std::vector<int> helpers_;  // help viewers started, reaped when they end
};
