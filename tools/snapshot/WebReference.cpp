// WebReference: the pixels the browser page must show, taken on the
// headless backend. From one stored state (options, the timer and
// combinations windows shown, fixed window places, all at a device scale)
// it plays the inputs the browser comparison plays too: four balls dragged
// into the bottom row and the pointer parked on bare board. It writes
// store.json (the stored values, as the page's localStorage keys), the
// inputs as board points (inputs.json), and main.ppm, timer.ppm and
// combs.ppm: each window's presented pixels.
// Usage: quorvex_web_reference OUT_DIR [SCALE] [SCREEN_W SCREEN_H]
//   SCREEN_W and SCREEN_H in CSS pixels (the page's viewport); default 1280 x 900.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "board/BoardGeometry.h"
#include "game/StoredValues.h"
#include "board/MainForm.h"
#include "board/Startup.h"
#include "forms/Application.h"
#include "game/Random.h"
#include "platform/StoreNames.h"
#include "platform/headless/HeadlessPlatform.h"
#include "windows/UCombs.h"
#include "windows/UTimer.h"

namespace {

bool WritePpm(const std::string& path, const Bitmap& b) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << b.Width << ' ' << b.Height << "\n255\n";
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) {
            const uint32_t p = b.At(x, y);
            const char rgb[3] = {char(p >> 16), char(p >> 8), char(p)};
            out.write(rgb, 3);
        }
    return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quorvex_web_reference OUT_DIR [SCALE] [SCREEN_W SCREEN_H]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int scale = argc > 2 ? std::atoi(argv[2]) : 1;
    const int cssW = argc > 4 ? std::atoi(argv[3]) : 1280, cssH = argc > 4 ? std::atoi(argv[4]) : 900;
    if (scale < 1 || scale > 3 || cssW < 600 || cssH < 450) {
        std::fprintf(stderr, "quorvex_web_reference: scale 1..3 and a screen of at least 600 x 450\n");
        return 2;
    }
    HeadlessPlatform platform;
    platform.SetScreen(cssW * scale, cssH * scale, 32);
    platform.SetPreferredScale(scale);
    const std::vector<StoreEntry> game = {StoredEntry(StoredId::Spaces, 4), StoredEntry(StoredId::Colors, 8),
                                          StoredEntry(StoredId::Doubles, 0), StoredEntry(StoredId::ViewTimer, 1),
                                          StoredEntry(StoredId::ViewCombs, 1)};
    const std::vector<std::pair<std::string, int>> places = {
        {"MainLeft", 40}, {"MainTop", 60}, {"TimerLeft", 600}, {"TimerTop", 540}, {"CombsLeft", 800}, {"CombsTop", 540}};
    auto& store = *platform.StoreContents();
    std::string json = "{";
    for (const StoreEntry& e : game) {
        store.Set(e.Section, e.Name, e.Value);
        json += "\"QuorVex/game/" + FoldCase(e.Name) + "\":\"" + e.Value + "\",";
    }
    for (const auto& [name, value] : places) {
        store.Set("Windows", name, std::to_string(value * scale));
        json += "\"QuorVex/windows/" + FoldCase(name) + "\":\"" + std::to_string(value * scale) + "\",";
    }
    json.back() = '}';

    const auto app = StartProgram(platform);
    SeedRandom(20261209);
    frmMain->Show();
    const int s = app->Scale();
    // Board points (the game's 1x pixels) to screen pixels.
    auto X = [&](int x) { return frmMain->PlatformWindow().Bounds().Left + x * s; };
    auto Y = [&](int y) { return frmMain->PlatformWindow().Bounds().Top + y * s; };
    std::string inputs = "{\"drags\":[";
    for (int c = 1; c <= 4; ++c) {
        const board::Point from = board::ColorCentre(c), to = board::HoleCentre(c, 12);
        platform.PointerDown(X(from.X), Y(from.Y));
        platform.PointerMove(X(to.X), Y(to.Y));
        platform.PointerUp(X(to.X), Y(to.Y));
        inputs += (c > 1 ? "," : "") + std::string("[") + std::to_string(from.X) + "," + std::to_string(from.Y) + "," +
                  std::to_string(to.X) + "," + std::to_string(to.Y) + "]";
    }
    const board::Point rest{150, 8};
    platform.PointerMove(X(rest.X), Y(rest.Y));
    inputs += "],\"rest\":[" + std::to_string(rest.X) + "," + std::to_string(rest.Y) + "]}";

    bool ok = true;
    auto shot = [&](const char* name, Form* form) {
        const auto& w = static_cast<const HeadlessWindow&>(form->PlatformWindow());
        ok = WritePpm(dir + "/" + name + ".ppm", w.Presented()) && ok;
    };
    shot("main", frmMain);
    shot("timer", frmTimer);
    shot("combs", frmCombs);
    std::ofstream(dir + "/store.json") << json << "\n";
    std::ofstream(dir + "/inputs.json") << inputs << "\n";
    std::printf("%s the reference at scale %d into %s\n", ok ? "wrote" : "could not write", s, dir.c_str());
    EndProgram(*app);
    SetStoreOpener(nullptr);
    return ok ? 0 : 1;
}
