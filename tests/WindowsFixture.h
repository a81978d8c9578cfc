// Shared set-up for the side windows' scenario tests: a headless platform
// whose memory store serves the window places, an application whose first
// form stands in for the board (so closing a side window never ends the
// program), and readers of what the screen shows: digit texts read back by
// matching glyph cells against the embedded digit strip, and pictures
// compared pixel for pixel.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "forms/Application.h"
#include "forms/Form.h"
#include "game/GameState.h"
#include "game/Settings.h"
#include "game/Store.h"
#include "platform/headless/HeadlessPlatform.h"
#include "resources/Pictures.h"
#include "windows/LayoutTypes.h"
#include "windows/SkinnedForm.h"

// The text shown by `count` glyph cells from `at`; '?' for a cell that is
// no glyph of the strip.
inline std::string ReadDigits(const Bitmap& surface, Layout::Point at, int count) {
    static const Bitmap strip = LoadPicture(PictureWindow::Main, "imgDigits")->Picture;
    static const char glyphs[] = "1234567890 /-";  // the strip's cells in order
    std::string text;
    for (int i = 0; i < count; ++i) {
        const int x0 = at.X + Layout::DigitWidth * i;
        char found = '?';
        for (int cell = 0; cell < 13 && found == '?'; ++cell) {
            bool same = surface.Contains(x0, at.Y) &&
                        surface.Contains(x0 + Layout::DigitWidth - 1, at.Y + Layout::DigitHeight - 1);
            for (int y = 0; same && y < Layout::DigitHeight; ++y)
                for (int x = 0; same && x < Layout::DigitWidth; ++x)
                    same = surface.At(x0 + x, at.Y + y) == strip.At(Layout::DigitWidth * cell + x, y);
            if (same) found = glyphs[cell];
        }
        text += found;
    }
    return text;
}

// True when `area` of the surface shows exactly the picture.
inline bool Shows(const Bitmap& surface, const Rect& area, const Bitmap& picture) {
    if (picture.Width != area.Width || picture.Height != area.Height) return false;
    for (int y = 0; y < area.Height; ++y)
        for (int x = 0; x < area.Width; ++x)
            if (surface.At(area.Left + x, area.Top + y) != picture.At(x, y)) return false;
    return true;
}

inline Bitmap Embedded(PictureWindow window, const char* name) { return LoadPicture(window, name)->Picture; }

class WindowsTest : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    std::unique_ptr<Application> app;

    void SetUp() override {
        ResetGameState();
        SetStoreOpener([this] { return platform.OpenStore(); });
        WindowPositions.Open();
        Start();
    }
    void TearDown() override {
        app.reset();
        SetStoreOpener(nullptr);
        WindowPositions.Open();
        SetMainKeyHandler(nullptr);
        ResetGameState();
    }

    // Ends the running application (every window stores its place) and
    // starts a new one on the same store, as the next run of the program.
    void Start() {
        app.reset();
        app = std::make_unique<Application>(platform);
        app->CreateForm<Form>(528, 416);  // the board's place in the creation order
    }

    HeadlessWindow& Rec(Form& f) { return static_cast<HeadlessWindow&>(f.PlatformWindow()); }
    const Bitmap& Screen(Form& f) { return Rec(f).Presented(); }
    // Input at a client point of a form.
    void Move(Form& f, int x, int y) { platform.PointerMove(f.Left() + x, f.Top() + y); }
    void Down(Form& f, int x, int y, MouseButton b = MouseButton::Left) { platform.PointerDown(f.Left() + x, f.Top() + y, b); }
    void Up(Form& f, int x, int y, MouseButton b = MouseButton::Left) { platform.PointerUp(f.Left() + x, f.Top() + y, b); }
    // A pointer that comes over the point (lighting what lies there), then a click.
    void ClickAt(Form& f, int x, int y) {
        Move(f, x, y);
        platform.Click(f.Left() + x, f.Top() + y);
    }
    void ClickAt(Form& f, const Rect& a) { ClickAt(f, a.Left + a.Width / 2, a.Top + a.Height / 2); }
};
