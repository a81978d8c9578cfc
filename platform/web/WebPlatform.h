// WebPlatform: the browser backend, built with emscripten.
//
// The page plays the desktop: its viewport is the screen, and each window
// is a canvas placed on it at its place, stacked by z-index, cut to its
// shape with a CSS clip-path (which cuts the canvas's clicks too). One
// screen pixel is one device pixel at the page's device scale, the
// browser's devicePixelRatio rounded to 1..3: a canvas's backing store is
// its window's size and it is laid out at that size over the scale.
//
// The DOM listeners (quorvex.js) only put what happened into a queue; the
// router's loops run on the program's own stack, which ASYNCIFY suspends in
// WaitForEvents until a queued event or the timeout resolves the promise
// it waits on. Nothing polls: a page with no timer running sleeps.
//
// This backend only translates: what each event means is decided by the
// EventRouter, as on every desktop.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/EventRouter.h"

class WebWindow;

class WebPlatform final : public RoutedPlatform {
public:
    WebPlatform();
    ~WebPlatform() override;
    WebPlatform(const WebPlatform&) = delete;
    WebPlatform& operator=(const WebPlatform&) = delete;

    std::unique_ptr<Window> OpenWindow(WindowEvents& events) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int ScreenBitsPerPixel() const override { return 32; }
    int PreferredScale() const override { return deviceScale_; }
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override;
    void ShowMessage(const std::string& title, const std::string& text) override;
    void ReportUnattended(const std::string& title, const std::string& text) override;
    bool OpenHelp(const std::string& path) override;
    std::string ProgramPath() const override;
    std::unique_ptr<Store> OpenStore() override;

    uint64_t NowMs() const override;
    bool WaitForEvents(int timeoutMs) override;

    // What to do when the page is hidden (another tab, the browser
    // minimised, a phone's home screen) without ending: the page may never
    // run again, so whatever the player would lose is stored then.
    void SetOnHidden(std::function<void()> onHidden) { onHidden_ = std::move(onHidden); }

    // The game in progress this tab goes on with: its own, kept when the
    // page was last hidden or left, or else the most recently left game of
    // a tab that is gone; empty for none. Waits for the page's answer.
    std::string TakeKeptGame();
    // Keeps `game` (KeptGame.h) as this tab's game in progress; the empty
    // text keeps none, for a game that is over or given up.
    void KeepGame(const std::string& game);

    // A file beside the page, fetched now (the program waits for it);
    // nothing when it could not be had.
    std::optional<std::vector<uint8_t>> FetchBeside(const std::string& name);

    // Test pages (the address holds "probe") show what the callback
    // returns in the page after every event, for the browser tests to read.
    void SetProbe(std::function<std::string()> probe);

    // The page's device scale now (1..3).
    int DeviceScale() const { return deviceScale_; }

private:
    friend class WebWindow;

    struct QueuedEvent;
    void Dispatch(const QueuedEvent& event);
    void ChangeDeviceScale(int scale);
    void KeepWindowsInPage();
    WebWindow* FromId(int id) const;
    void Forget(WebWindow* window);
    void QueueExpose(WebWindow* window);
    void Probe();

    int deviceScale_ = 1;
    int nextId_ = 1;
    std::vector<WebWindow*> windows_;  // in creation order: the first is the main window
    std::deque<int> exposes_;          // window ids to repaint, as a window system asks after a show
    std::function<void()> onHidden_;
    std::function<std::string()> probe_;
};

// One canvas on the page.
class WebWindow final : public RoutedWindow {
public:
    WebWindow(WebPlatform& platform, WindowEvents& events, int id);
    ~WebWindow() override;

    void SetBounds(const Rect& bounds) override;
    Rect Bounds() const override { return bounds_; }
    void SetTitle(const std::string& title) override;
    void Show() override;
    void Hide() override;
    bool Visible() const override { return visible_; }
    void BringToFront() override;
    void SetShape(const Region* shape) override;
    void Present(const Bitmap& surface, const Rect& dirty) override;
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;

    int Id() const { return id_; }
    // The page's device scale changed from `from` to `to`: the window
    // keeps its place on the page, so its screen place scales with it.
    void Rescale(int from, int to);

private:
    void Layout();
    void ApplyShape();

    WebPlatform& platform_;
    int id_;
    Rect bounds_;
    bool visible_ = false;
    bool hasShape_ = false;
    Region shape_;
    std::vector<uint8_t> rgba_;  // the dirty part of a present, as the canvas takes it
};
