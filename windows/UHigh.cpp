// UHigh: the twelve records, and clearing one or all of them.
#include "windows/UHigh.h"

#include "game/GameState.h"
#include "game/Settings.h"
#include "windows/Digits.h"
#include "windows/HighLayout.h"

TfrmHigh* frmHigh = nullptr;

namespace {

size_t EntryOf(int spaces, int colors, bool doubles) {
    return static_cast<size_t>(HighScoreOffset(spaces, colors, doubles) / 3 + 1);
}

HighScoreEntry& Record(int spaces, int colors, bool doubles) { return HighScoreTable.Entries[EntryOf(spaces, colors, doubles)]; }

// Calls f(spaces, colors, doubles) for each of the twelve settings.
template <typename F>
void ForEachSetting(F f) {
    for (int spaces = 4; spaces <= 5; ++spaces)
        for (int colors = 6; colors <= 10; colors += 2)
            for (bool doubles : {false, true}) f(spaces, colors, doubles);
}

}  // namespace

TfrmHigh::TfrmHigh(Application& app)
    : TSkinnedForm(app, {PictureWindow::High, "imgHigh", HighLayout::Width, HighLayout::Height, "High", true}),
      imgExit(AddOverlay("imgExit", HighLayout::Exit, [this] { Close(); })),
      ImgReset(AddOverlay("ImgReset", HighLayout::Reset, [this] { ImgResetClick(); })),
      imgStats(AddOverlay("imgStats", HighLayout::Stats, [this] { SetModalResult(mrStatistics); })) {
    frmHigh = this;
}

TfrmHigh::~TfrmHigh() {
    if (frmHigh == this) frmHigh = nullptr;
}

void TfrmHigh::DrawCell(int spaces, int colors, bool doubles) {
    const Layout::Point origin = HighLayout::CellOrigin(spaces, colors, doubles);
    DrawDigits(App().Pictures(), Background().Image, origin.X, origin.Y, RecordDigits(Record(spaces, colors, doubles)));
}

void TfrmHigh::OnShow() {
    TSkinnedForm::OnShow();
    ForEachSetting([this](int s, int c, bool d) { DrawCell(s, c, d); });
}

void TfrmHigh::BackgroundDblClick() {
    ForEachSetting([this](int s, int c, bool d) {
        const Rect cell = HighLayout::CellArea(s, c, d);
        if (!PointInArea(DragX(), DragY(), cell.Left, cell.Top, cell.Width, cell.Height)) return;
        Record(s, c, d) = HighScoreEntry{};
        // Cleared on purpose, and stored at once: no save of this or another
        // copy of the game may bring the stored one back.
        NoteRecordCleared(EntryOf(s, c, d));
        SaveRecords();
        DrawCell(s, c, d);
    });
    ShowBackground();
}

void TfrmHigh::ImgResetClick() {
    HighScoreTable = THighScoreTable{};
    NoteAllRecordsCleared();
    SaveRecords();
    ForEachSetting([this](int s, int c, bool d) { DrawCell(s, c, d); });
    ShowBackground();
}

void TfrmHigh::OnKeyDown(int key, unsigned) {
    if (key == Key::Enter) Close();
}
