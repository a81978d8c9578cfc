// quorvex_window_shots <out-dir>: opens the seven side windows on the
// headless backend, puts each into a typical state (a running time with a
// record, a count, a message, the options with a button under the pointer,
// some records, the about screen with Exit lit, the statistics of a few
// games at 1x and 3x, and its clear button asking) and writes what each
// presents as <out-dir>/<window>.png, cut to the window's shape. These are
// the pixels the game puts on the screen, composed by its own code. Then
// the board in play, alone and with the windows beside it (BoardShot).
#include <cstdio>
#include <string>

#include "BoardShot.h"
#include "Png.h"
#include "forms/Application.h"
#include "game/GameState.h"
#include "game/Settings.h"
#include "game/Solver.h"
#include "game/Statistics.h"
#include "platform/headless/HeadlessPlatform.h"
#include "windows/AboutLayout.h"
#include "windows/HighLayout.h"
#include "windows/MessageLayout.h"
#include "windows/OptionsLayout.h"
#include "windows/StatsLayout.h"
#include "windows/UAbout.h"
#include "windows/UCombs.h"
#include "windows/UHigh.h"
#include "windows/UMessage.h"
#include "windows/UOptions.h"
#include "windows/UStats.h"
#include "windows/UTimer.h"

namespace {

void SetRecord(int spaces, int colors, bool doubles, int rows, int seconds) {
    HighScoreEntry& e = HighScoreTable.Entries[static_cast<size_t>(HighScoreOffset(spaces, colors, doubles) / 3 + 1)];
    e.RecordRows = static_cast<uint8_t>(rows);
    e.RecordSeconds = static_cast<int16_t>(seconds);
}

// Rests the pointer on the middle of an area of a shown window.
void PointAt(HeadlessPlatform& platform, Form& form, const Rect& a) {
    platform.PointerMove(form.Left() + a.Left + a.Width / 2, form.Top() + a.Top + a.Height / 2);
}

bool Shot(Form& form, const std::string& dir, const char* name) {
    auto& window = static_cast<HeadlessWindow&>(form.PlatformWindow());
    const std::string path = dir + "/" + name + ".png";
    const bool ok = WritePng(path, window.Presented(), window.Shape() ? &*window.Shape() : nullptr);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.c_str());
    form.Hide();  // the next window stands alone under the pointer
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <out-dir>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    HeadlessPlatform platform;
    SetStoreOpener([&platform] { return platform.OpenStore(); });
    WindowPositions.Open();

    // 4 holes, 8 colours, repeats; a few records, the current one 7 rows in 93 s.
    GameSettings.Doubles = true;
    SetRecord(4, 8, true, 7, 93);
    SetRecord(4, 6, false, 5, 42);
    SetRecord(5, 10, true, 12, 999);
    SetRecord(5, 8, false, 9, 305);

    bool ok = true;
    {
        Application app(platform);
        app.CreateForm<Form>(528, 416);  // the board's place
        TfrmAbout& about = app.CreateForm<TfrmAbout>();
        TfrmOptions& options = app.CreateForm<TfrmOptions>();
        TfrmTimer& timer = app.CreateForm<TfrmTimer>();
        TfrmCombs& combs = app.CreateForm<TfrmCombs>();
        TfrmMessage& message = app.CreateForm<TfrmMessage>();
        TfrmHigh& high = app.CreateForm<TfrmHigh>();

        timer.Show();
        BoardState.ElapsedTime = 146;
        timer.TimerTimer();
        ok &= Shot(timer, dir, "timer");

        combs.Show();
        CandidateCount = 120;
        combs.DrawCount();
        ok &= Shot(combs, dir, "combs");

        message.MessageKind = mkHigh;
        message.Show();
        PointAt(platform, message, MessageLayout::Exit);
        ok &= Shot(message, dir, "message");

        options.Show();
        PointAt(platform, options, OptionsLayout::Cancel);
        ok &= Shot(options, dir, "options");

        high.Show();
        PointAt(platform, high, HighLayout::Reset);
        ok &= Shot(high, dir, "high");

        about.Show();
        PointAt(platform, about, AboutLayout::Exit);
        ok &= Shot(about, dir, "about");

        high.Show();
        PointAt(platform, high, HighLayout::Stats);
        ok &= Shot(high, dir, "high-statistics");
    }
    // A few games of 4 holes, 8 colours with repeats, and one elsewhere.
    const size_t here = StatsEntry(4, 8, true);
    for (int rows : {5, 6, 4, 6, 7, 6, 5, 8, 6, 12})
        CountGame(here, GameEnd::Won, rows, 40 + 7 * rows, rows == 8);
    CountGame(here, GameEnd::Lost);
    CountGame(here, GameEnd::GivenUp);
    CountGame(here, GameEnd::Won, 3, 31);
    CountGame(StatsEntry(5, 10, false), GameEnd::Won, 9, 412);
    for (int scale : {1, 3}) {
        Application app(platform, scale);
        app.CreateForm<Form>(528, 416);
        TfrmStats& stats = app.CreateForm<TfrmStats>();
        stats.Show();
        PointAt(platform, stats, StatsLayout::Next);
        ok &= Shot(stats, dir, scale == 1 ? "stats" : "stats-3x");
        if (scale != 1) continue;
        stats.Show();
        PointAt(platform, stats, StatsLayout::Clear);
        stats.ImgClearClick();
        ok &= Shot(stats, dir, "stats-clear-asks");
        stats.Show();
        while (stats.View() != StatsAllTogether) stats.StepView(1);
        ok &= Shot(stats, dir, "stats-all");
    }
    SetStoreOpener(nullptr);
    ResetGameState();
    ok = WriteBoardShots(dir) && ok;
    return ok ? 0 : 1;
}
