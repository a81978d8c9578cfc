// BoardShot: starts the whole program on the headless backend, plays into a board worth looking at through events only (a few
// evaluated rows, note marks, the see-through holes open, the timer and
// combinations windows shown, the pointer resting on the big ball) and
// writes what the screen shows: board.png (the main window cut to its
// shape) and desktop.png (every visible window in its place over a plain
// desktop).
#include <cstdio>
#include <memory>
#include <string>

#include "BoardShot.h"
#include "Png.h"
#include "board/BoardGeometry.h"
#include "board/MainForm.h"
#include "board/Startup.h"
#include "forms/Application.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "platform/headless/HeadlessPlatform.h"
#include "windows/UCombs.h"
#include "windows/UTimer.h"

namespace {

struct Player {
    HeadlessPlatform& platform;
    TfrmMain& main;
    int X(int x) const { return main.Left() + x; }
    int Y(int y) const { return main.Top() + y; }
    void Drag(board::Point from, board::Point to) {
        platform.PointerDown(X(from.X), Y(from.Y));
        platform.PointerMove(X(to.X), Y(to.Y));
        platform.PointerUp(X(to.X), Y(to.Y));
    }
    void Key(int key) { platform.KeyPressTo(main.PlatformWindow(), key); }
};

// The visible windows, back to front, over a plain desktop.
Bitmap Desktop(HeadlessPlatform& platform) {
    Bitmap desktop(platform.ScreenWidth(), platform.ScreenHeight());
    for (int y = 0; y < desktop.Height; ++y)
        for (int x = 0; x < desktop.Width; ++x)
            desktop.At(x, y) = Rgb(uint8_t(60 + y / 16), uint8_t(90 + y / 12), uint8_t(110 + x / 16));
    const auto order = platform.ZOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const HeadlessWindow& w = **it;
        if (!w.Visible()) continue;
        const Rect b = w.Bounds();
        for (int y = 0; y < b.Height; ++y)
            for (int x = 0; x < b.Width; ++x) {
                if (w.Shape() && !w.Shape()->Contains(x, y)) continue;
                if (desktop.Contains(b.Left + x, b.Top + y) && w.Presented().Contains(x, y))
                    desktop.At(b.Left + x, b.Top + y) = w.Presented().At(x, y);
            }
    }
    return desktop;
}

}  // namespace

bool WriteBoardShots(const std::string& dir) {
    HeadlessPlatform platform;
    auto& store = *platform.StoreContents();
    store.Set("Windows", "TimerLeft", "700");
    store.Set("Windows", "TimerTop", "150");
    store.Set("Windows", "CombsLeft", "700");
    store.Set("Windows", "CombsTop", "250");
    const auto app = StartProgram(platform);
    SeedRandom(20261209);
    frmMain->Show();
    Player p{platform, *frmMain};
    p.Key(Key::Function(11));
    p.Key(Key::Function(12));
    // The opening row, then two rows of the player's own, then one being filled.
    p.Key(Key::Function(3));
    for (const char* row : {"5678", "2745"}) {
        for (int pos = 1; pos <= 4; ++pos)
            p.Drag(board::ColorCentre(row[pos - 1] - '0'), board::HoleCentre(pos, BoardState.CurrentRow));
        if (!BoardState.GameActive) break;
        p.Key(Key::Space);
    }
    p.Drag(board::ColorCentre(3), board::HoleCentre(2, BoardState.CurrentRow));
    // Notes: a cross on colour 1, a ring on colour 6.
    platform.Click(p.X(board::ColorCentre(1).X), p.Y(board::ColorCentre(1).Y), MouseButton::Left, Modifier::Ctrl);
    for (int i = 0; i < 2; ++i)
        platform.Click(p.X(board::ColorCentre(6).X), p.Y(board::ColorCentre(6).Y), MouseButton::Left, Modifier::Ctrl);
    platform.DoubleClick(p.X(150), p.Y(8));  // see-through holes
    platform.Advance(47000);
    platform.PointerMove(p.X(board::BigBallCentre.X), p.Y(board::BigBallCentre.Y));

    const auto& window = static_cast<HeadlessWindow&>(frmMain->PlatformWindow());
    bool ok = WritePng(dir + "/board.png", window.Presented(), window.Shape() ? &*window.Shape() : nullptr);
    ok = WritePng(dir + "/desktop.png", Desktop(platform)) && ok;
    std::printf("%s %s/board.png and desktop.png (current row %d)\n", ok ? "wrote" : "could not write", dir.c_str(),
                BoardState.CurrentRow);
    EndProgram(*app);
    SetStoreOpener(nullptr);
    return ok;
}
