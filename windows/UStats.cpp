// UStats: the player's statistics, one setting or all together at a time.
#include "windows/UStats.h"

#include <algorithm>
#include <string>

#include "game/GameState.h"
#include "game/Statistics.h"
#include "resources/ScaledPicture.h"
#include "util/Blit.h"
#include "windows/Digits.h"
#include "windows/StatsLayout.h"

TfrmStats* frmStats = nullptr;

namespace {

namespace L = StatsLayout;

size_t EntryInPlay() {
    const TGameSettings& s = GameSettings;
    return StatsEntry(s.Spaces, s.Colors, s.Doubles);
}

// A number right-aligned in `chars` digits; dashes when it has more, so a
// count too large to show never reads as a smaller one.
std::string Digits(uint64_t value, int chars) {
    std::string text = std::to_string(value);
    if (text.size() > size_t(chars)) return std::string(size_t(chars), '-');
    return std::string(size_t(chars) - text.size(), ' ') + text;
}

// n / d rounded to the nearest whole number (d > 0).
uint64_t Rounded(uint64_t n, uint64_t d) { return (n + d / 2) / d; }

void Draw(PictureCache& pictures, Bitmap& canvas, const L::Field& field, const std::string& text) {
    DrawDigits(pictures, canvas, field.Text().X, field.Text().Y, text);
}

}  // namespace

TfrmStats::TfrmStats(Application& app)
    : TSkinnedForm(app, {PictureWindow::Stats, "imgStats", L::Width, L::Height, "Stats", true}),
      imgPrev(AddOverlay("imgPrev", L::Prev, [this] { StepView(-1); })),
      imgNext(AddOverlay("imgNext", L::Next, [this] { StepView(1); })),
      imgClear(AddOverlay("imgClear", L::Clear, [this] { ImgClearClick(); })),
      imgExit(AddOverlay("imgExit", L::Exit, [this] { Close(); })),
      imgClearArmed(AddMark("imgClearArmed", L::Clear)),
      ArmTimer(app, L::ArmedMs) {
    imgClearArmed.Hide();
    imgClearArmed.OnClick = [this] { ImgClearClick(); };
    ArmTimer.OnTimer = [this] { Disarm(); };
    // What the window is called where one is shown or read out (a screen
    // reader names the browser's canvas by it).
    SetCaption("Statistics: games played, won, lost and given up at each setting");
    frmStats = this;
}

TfrmStats::~TfrmStats() {
    if (frmStats == this) frmStats = nullptr;
}

void TfrmStats::OnShow() {
    TSkinnedForm::OnShow();
    Disarm();
    view_ = EntryInPlay();
    followsGame_ = true;
    DrawContents();
}

void TfrmStats::StepView(int step) {
    const int count = int(StatsAllTogether);
    view_ = size_t((int(view_) - 1 + step % count + count) % count + 1);
    // Back at the setting in play, the window follows it again.
    followsGame_ = view_ == EntryInPlay();
    DrawContents();
}

void TfrmStats::Refresh() {
    if (followsGame_) view_ = EntryInPlay();
    if (Visible()) DrawContents();
}

void TfrmStats::ImgClearClick() {
    if (!armed_) {
        // Years of games are not won back: the first press only asks.
        armed_ = true;
        imgClear.Hide();
        imgClearArmed.Show();
        ArmTimer.SetEnabled(true);
        return;
    }
    Disarm();
    ClearStatistics();
    DrawContents();
}

void TfrmStats::Disarm() {
    armed_ = false;
    ArmTimer.SetEnabled(false);
    imgClearArmed.Hide();
}

void TfrmStats::OnKeyDown(int key, unsigned modifiers) {
    if (key == Key::Left)
        StepView(-1);
    else if (key == Key::Right)
        StepView(1);
    else if (key == Key::Escape)
        Close();
    else
        PassKeyToMain(key, modifiers);
}

void TfrmStats::DrawContents() {
    if (!PicturesDecoded()) return;  // drawn whole at the first showing
    Bitmap& canvas = Background().Image;
    PictureCache& pictures = App().Pictures();
    auto Draw = [&](const L::Field& field, const std::string& text) { ::Draw(pictures, canvas, field, text); };
    const TSettingStats s = CurrentStatistics().Of[view_];

    const Bitmap& captions = pictures.Get(PictureWindow::Stats, "imgCaptions");
    BlitRect(canvas, L::Caption.Left, L::Caption.Top, L::Caption.Width, L::Caption.Height, 0,
             L::Caption.Height * int(view_ - 1), captions);

    Draw(L::Played, Digits(s.Played(), L::Played.Chars));
    Draw(L::Won, Digits(s.Won, L::Won.Chars));
    Draw(L::Lost, Digits(s.Lost, L::Lost.Chars));
    Draw(L::GivenUp, Digits(s.GivenUp, L::GivenUp.Chars));
    Draw(L::HintWon, Digits(s.HintWon, L::HintWon.Chars));
    Draw(L::CurrentRun, Digits(s.CurrentRun, L::CurrentRun.Chars));
    Draw(L::BestRun, Digits(s.BestRun, L::BestRun.Chars));
    // Shares and averages of nothing are dashes, not zeros.
    Draw(L::Share, s.Played() == 0 ? "  -" : Digits(Rounded(100 * uint64_t(s.Won), s.Played()), 3));
    if (s.Won == 0) {
        Draw(L::RowsWhole, " -");
        Draw(L::RowsTenth, "-");
        Draw(L::Seconds, "  -");
    } else {
        const uint64_t tenths = Rounded(10 * s.WonRows, s.Won);
        Draw(L::RowsWhole, Digits(tenths / 10, 2));
        Draw(L::RowsTenth, std::to_string(tenths % 10));
        Draw(L::Seconds, Digits(Rounded(s.WonSeconds, s.Won), 3));
    }

    // The bars, each as high as its share of the tallest; one game is
    // always seen.
    const Bitmap& empty = pictures.Get(PictureWindow::Stats, "imgChart");
    BlitPicture(canvas, L::Bars.Left, L::Bars.Top, empty);
    const Bitmap& bar = pictures.Get(PictureWindow::Stats, "imgBar");
    uint32_t tallest = 0;
    for (size_t r = 1; r <= 12; ++r) tallest = std::max(tallest, s.ByRows[r]);
    for (size_t r = 1; r <= 12 && tallest != 0; ++r) {
        if (s.ByRows[r] == 0) continue;
        const int h = std::max(2, int(Rounded(uint64_t(L::BarHeight) * s.ByRows[r], tallest)));
        BlitRect(canvas, L::BarLeft(int(r)), L::BarBase - h, L::BarWidth, h, 0, L::BarHeight - h, bar);
    }
    ShowBackground();
}
