// WebPlatform: the browser backend, built with emscripten.
//
// The page plays the desktop: its viewport is the screen, and each window
// is a canvas placed on it at its place, stacked by z-index, cut to its
// shape with a CSS clip-path (which cuts the canvas's clicks too). A
// canvas's backing store is its window's size in screen pixels, and the
// page shows it at Ratio() screen pixels per CSS pixel (PageFit.h): on a
// desktop browser with room one device pixel each, on a phone or tablet as
// large as the page allows, resampled by the compositor once per frame it
// composes (a CSS scale, no copy of our own).
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
#include "platform/web/PageFit.h"

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
    // The art the page asks for (PageFit.h).
    int PreferredScale() const override { return PageArtScale(view_); }
    void DrawingScaleChanged(int scale) override;
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override;
    // Under a finger the carried ball is shown above it (quorvex.js).
    void CarryStarted(Window& window, const Rect& ball) override;
    void CarryEnded() override;
    // Into the page's live region, which a screen reader reads out.
    void Announce(const std::string& words) override;
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

    // The window the page is fitted to (the board), in its logical pixels.
    void FitTo(int logicalWidth, int logicalHeight);
    // Screen pixels per CSS pixel now.
    double Ratio() const { return ratio_; }

    // One event as the page queued it (WebPlatform.cpp describes its
    // layout to the page).
    struct QueuedEvent;

private:
    friend class WebWindow;

    void Dispatch(const QueuedEvent& event);
    void MeasurePage();
    void ApplyRatio(int scale);
    void PageChanged();
    WebWindow* FromId(int id) const;
    void QueueExpose(WebWindow* window);
    void Probe();

    PageView view_;
    int drawScale_ = 1;
    double ratio_ = 0;  // none yet
    int nextId_ = 1;
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
    void SetShape(const Region* shape) override;
    void Present(const Bitmap& surface, const Rect& dirty) override;
    bool GrabPointer() override;
    void UngrabPointer() override;
    void Activate() override;

    int Id() const { return id_; }
    // What assistive technology calls the canvas.
    void SetLabel(const std::string& label);
    // The page's screen pixels per CSS pixel changed from `from` to `to`:
    // the window keeps its place on the page, so its screen place scales
    // with it.
    void Rescale(double from, double to);

protected:
    bool SystemShow(bool wasVisible) override;
    void SystemHide() override;
    void SystemRaise() override;

private:
    void Layout();
    void ApplyShape();

    WebPlatform& platform_;
    int id_;
    Rect bounds_;
    bool hasShape_ = false;
    Region shape_;
    std::vector<uint8_t> rgba_;  // the dirty part of a present, as the canvas takes it
};
