// ScaledScreen: the platform as the windows see it at the drawing scale.
// Every service is the platform's own; only the screen's size is told in
// logical pixels, so a window centred or kept on the screen by its logical
// size lands where it would at 1x.
#pragma once

#include "platform/Platform.h"
#include "util/Scale.h"

class ScaledScreen final : public Platform {
public:
    explicit ScaledScreen(Platform& system) : system_(system) {}

    std::unique_ptr<Window> OpenWindow(WindowEvents& events) override { return system_.OpenWindow(events); }
    int ScreenWidth() const override { return system_.ScreenWidth() / DrawingScale(); }
    int ScreenHeight() const override { return system_.ScreenHeight() / DrawingScale(); }
    Rect WorkArea() const override {
        const Rect a = system_.WorkArea();
        const int s = DrawingScale();
        return Rect{FloorDiv(a.Left + s - 1, s), FloorDiv(a.Top + s - 1, s), a.Width / s, a.Height / s};
    }
    int ScreenBitsPerPixel() const override { return system_.ScreenBitsPerPixel(); }
    int PreferredScale() const override { return system_.PreferredScale(); }
    void DefineCursor(CursorKind kind, const CursorImage& image) override { system_.DefineCursor(kind, image); }
    void SetCursor(CursorKind kind) override { system_.SetCursor(kind); }
    void Run() override { system_.Run(); }
    void Quit() override { system_.Quit(); }
    bool RunModal(Window& modal, const std::function<bool()>& finished) override {
        return system_.RunModal(modal, finished);
    }
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override {
        return system_.StartTimer(intervalMs, std::move(tick));
    }
    void StopTimer(TimerId id) override { system_.StopTimer(id); }
    void ShowMessage(const std::string& title, const std::string& text) override {
        system_.ShowMessage(title, text);
    }
    void ReportUnattended(const std::string& title, const std::string& text) override {
        system_.ReportUnattended(title, text);
    }
    bool OpenHelp(const std::string& path) override { return system_.OpenHelp(path); }
    std::string ProgramPath() const override { return system_.ProgramPath(); }
    std::unique_ptr<Store> OpenStore() override { return system_.OpenStore(); }

private:
    Platform& system_;
};
