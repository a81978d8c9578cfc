// Shared set-up for the board's scenario tests: the whole program started
// on the headless backend as the desktops start it (modules, the seven
// windows, the main window's first showing), and the player's hands: keys,
// presses, drags and releases in the board's own coordinates.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "board/BoardGeometry.h"
#include "board/MainForm.h"
#include "board/Startup.h"
#include "forms/Application.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/Store.h"
#include "platform/headless/HeadlessPlatform.h"
#include "util/Scale.h"
#include "windows/UCombs.h"
#include "windows/UMessage.h"
#include "windows/UTimer.h"

// The drawing scale the scenarios run at: 1, or what QUORVEX_TEST_SCALE
// says (the suite runs a second time at 2).
inline int TestScale() {
    const char* text = std::getenv("QUORVEX_TEST_SCALE");
    const int scale = text ? std::atoi(text) : 1;
    return scale >= 1 && scale <= 3 ? scale : 1;
}

// The drawing scale the running program draws at.
inline int RunScale() { return frmMain ? frmMain->App().Scale() : 1; }

class BoardTest : public ::testing::Test {
public:
    HeadlessPlatform platform;
    std::unique_ptr<Application> app;
    // The drawing scale of the run; the screen is as many times bigger, so
    // every window has the same room around it in logical pixels.
    int S = TestScale();

    BoardTest() { platform.SetScreen(1024 * S, 768 * S, 32); }

    void TearDown() override { Stop(); }

    // Values in the store before the program starts, as a previous run
    // would have left them.
    void Stored(const std::string& name, const std::string& value, const std::string& section = "Game") {
        platform.StoreContents()->Set(section, name, value);
    }
    void Settings(int spaces, int colors, bool doubles) {
        Stored("Spaces", std::to_string(spaces));
        Stored("Colors", std::to_string(colors));
        Stored("Doubles", doubles ? "1" : "0");
    }

    // Start-up as RunQuorVex does it, up to the main window's first showing,
    // with a fixed seed for the first secret; a kept game (KeptGame.h) is
    // continued instead of a new one, as the browser's start does.
    void Start(uint64_t seed = 2026, const std::string& keptGame = {}) {
        ResetGameState();
        platform.SetPreferredScale(S);
        app = StartProgram(platform);
        SeedRandom(seed);
        frmMain->ContinueAtShow(keptGame);
        frmMain->Show();
    }
    void Stop() {
        if (!app) return;
        EndProgram(*app);
        app.reset();
        SetStoreOpener(nullptr);
        ResetGameState();
    }

    TfrmMain& Main() { return *frmMain; }
    HeadlessWindow& Rec(Form& form) { return static_cast<HeadlessWindow&>(form.PlatformWindow()); }
    const Bitmap& Screen() { return Rec(Main()).Presented(); }

    // The player, in board coordinates: the screen point of logical pixel x.
    int SX(int x) { return Rec(Main()).Bounds().Left + x * S; }
    int SY(int y) { return Rec(Main()).Bounds().Top + y * S; }
    // The screen point of a form's logical pixel.
    int FX(Form& f, int x) { return Rec(f).Bounds().Left + x * S; }
    int FY(Form& f, int y) { return Rec(f).Bounds().Top + y * S; }
    void Key(int key, unsigned modifiers = 0) { platform.KeyPressTo(Main().PlatformWindow(), key, modifiers); }
    void Press(board::Point p, MouseButton b = MouseButton::Left, unsigned mods = 0) {
        platform.PointerDown(SX(p.X), SY(p.Y), b, mods);
    }
    void Move(board::Point p) { platform.PointerMove(SX(p.X), SY(p.Y)); }
    void Release(board::Point p, MouseButton b = MouseButton::Left) { platform.PointerUp(SX(p.X), SY(p.Y), b); }
    void Click(board::Point p, MouseButton b = MouseButton::Left, unsigned mods = 0) {
        Press(p, b, mods);
        Release(p, b);
    }
    void Drag(board::Point from, board::Point to) {
        Press(from);
        Move(to);
        Release(to);
    }
    // A colour from the column into hole p of the current row.
    void Drop(int colour, int position) {
        Drag(board::ColorCentre(colour), board::HoleCentre(position, BoardState.CurrentRow));
    }
    void PlaceSecret() {
        for (int p = 1; p <= GameSettings.Spaces; ++p) Drop(BoardState.SecretCode[size_t(p)], p);
    }
    // The next modal window is answered with this key as soon as it opens.
    void Answer(int key = Key::Enter) {
        platform.Script([this, key] { platform.KeyPress(key); });
    }
    // Runs the action, closing a message it brings up at once; the kind
    // shown, or NoMessage.
    static constexpr int NoMessage = 0xFF;
    template <typename Action>
    int Act(Action action) {
        frmMessage->MessageKind = NoMessage;
        Answer();
        action();
        if (platform.PendingSteps() != 0) {
            platform.Run();  // works off the unused answer (Enter does nothing on the board)
            return NoMessage;
        }
        return frmMessage->MessageKind;
    }
    template <typename Action>
    int Message(Action action) {
        const int kind = Act(action);
        EXPECT_NE(kind, NoMessage) << "no message was shown";
        return kind;
    }

    // True when the presented board shows the back buffer over the shape.
    bool ScreenShowsBackBuffer() {
        const Bitmap& s = Screen();
        const Bitmap& b = Main().BackBuffer();
        for (int y = 0; y < board::Height * S; ++y)
            for (int x = 0; x < board::Width * S; ++x)
                if (s.At(x, y) != b.At(x, y)) return false;
        return true;
    }
};
