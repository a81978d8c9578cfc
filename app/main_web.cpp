// The game in the browser: the web backend under the shared start-up.
//
// Besides the start-up every desktop shares, the page needs three things
// wired here, where the game and the backend meet:
//   - the 2x and 3x pictures are not compiled in: the resources layer asks
//     for them, and the pack of that window and scale is fetched from
//     beside the page the first time (ResourcePack.h);
//   - a hidden or left page (another tab, a phone's home screen, a reload)
//     may be thrown away without another word, so everything the player
//     would lose is stored then, the game in progress included, and the
//     next start of the page goes on with that game (KeptGame.h);
//   - test pages (the address holds "probe") show the game's state.
#include <cstdio>
#include <map>
#include <optional>
#include <string>

#include "board/BoardGeometry.h"
#include "board/MainForm.h"
#include "board/Startup.h"
#include "forms/Application.h"
#include "game/GameState.h"
#include "game/KeptGame.h"
#include "game/Settings.h"
#include "game/Solver.h"
#include "platform/web/WebPlatform.h"
#include "resources/ResourcePack.h"
#include "util/Scale.h"
#include "windows/UAbout.h"
#include "windows/UCombs.h"
#include "windows/UHigh.h"
#include "windows/UMessage.h"
#include "windows/UOptions.h"
#include "windows/UStats.h"
#include "windows/UTimer.h"

namespace {

std::string ProbeJson(const WebPlatform& platform) {
    const TBoardState& b = BoardState;
    const TGameSettings& s = GameSettings;
    std::string json = "{\"row\":" + std::to_string(b.CurrentRow) + ",\"active\":" + (b.GameActive ? "true" : "false");
    json += ",\"scores\":[";
    for (int r = 1; r <= 12; ++r) {
        if (r > 1) json += ',';
        json += "[" + std::to_string(b.RowScores[r].RedCount) + "," + std::to_string(b.RowScores[r].WhiteCount) + "]";
    }
    json += "],\"guesses\":[";
    for (int r = 1; r <= 12; ++r) {
        if (r > 1) json += ',';
        json += '"';
        for (int p = 1; p <= s.Spaces; ++p) json += char('0' + b.Guesses[r][p] % 10);
        json += '"';
    }
    const HighScoreEntry& record = CurrentHighScore();
    const int recordSeconds = record.RecordSeconds;
    json += "],\"spaces\":" + std::to_string(s.Spaces) + ",\"colors\":" + std::to_string(s.Colors) +
            ",\"doubles\":" + (s.Doubles ? "true" : "false") + ",\"symbols\":" + (s.Symbols ? "true" : "false") +
            ",\"holes\":" + (s.Holes ? "true" : "false") + ",\"scale\":" + std::to_string(frmMain ? frmMain->App().Scale() : 1) +
            ",\"elapsed\":" + std::to_string(b.ElapsedTime) + ",\"recordRows\":" + std::to_string(record.RecordRows) +
            ",\"recordSeconds\":" + std::to_string(recordSeconds) +
            ",\"ratio\":" + std::to_string(platform.Ratio()) + ",\"modal\":" + std::to_string(platform.Router().ModalDepth()) + "}";
    return json;
}

}  // namespace

int main() {
    WebPlatform platform;

    // One pack per window's folder and scale, fetched once; a pack that
    // cannot be had is not asked for again, and its pictures are missing.
    std::map<std::string, std::optional<ResourcePack>> packs;
    SetResourceFetcher([&platform, &packs](std::string_view path) -> std::span<const uint8_t> {
        const std::string name = PackFor(path);
        if (name.empty()) return {};
        auto it = packs.find(name);
        if (it == packs.end()) {
            std::optional<ResourcePack> pack;
            if (auto bytes = platform.FetchBeside(name)) {
                std::string error;
                pack = ResourcePack::Parse(std::move(*bytes), &error);
                if (!pack) platform.ReportUnattended("QuorVex", name + ": " + error);
            }
            it = packs.emplace(name, std::move(pack)).first;
        }
        return it->second ? it->second->File(path) : std::span<const uint8_t>{};
    });

    // Asked before the windows exist: the page answers once it knows which
    // tabs are open.
    const std::string kept = platform.TakeKeptGame();
    // The page is fitted to the board.
    platform.FitTo(board::WindowWidth, board::WindowHeight);
    const auto app = StartProgram(platform);
    // The kept game follows the game: a new game with no ball yet, or one
    // that is over, leaves none to go on with.
    auto keep = [&platform] { platform.KeepGame(KeepGame()); };
    frmMain->ContinueAtShow(kept);
    frmMain->SetOnGameChanged(keep);
    platform.SetOnHidden([&platform, keep] {
        if (!frmMain) return;
        keep();
        if (!frmMain->StoreAll()) platform.ReportUnattended("QuorVex", "the options and records could not be stored");
    });
    platform.SetProbe([&platform] { return ProbeJson(platform); });
    // What a screen reader calls each window; the board's caption is its own.
    const std::pair<Form*, const char*> labels[] = {
        {frmMain, "QuorVex board: type colours with the digits, Backspace takes one back, Space evaluates"},
        {frmAbout, "About QuorVex"}, {frmOptions, "Options"},
        {frmTimer, "Timer: the seconds of this game and the record"},
        {frmCombs, "Combinations: the codes still possible"}, {frmMessage, "Message"}, {frmHigh, "Records"},
        {frmStats, "Statistics: games played, won and lost, runs of wins, rows used"}};
    for (const auto& [form, label] : labels)
        if (form) static_cast<WebWindow&>(form->PlatformWindow()).SetLabel(label);
    app->Run();
    // Only the exit command ends the loop here: the player gave the game up.
    platform.KeepGame("");
    EndProgram(*app);
    SetResourceFetcher(nullptr);
    return 0;
}
