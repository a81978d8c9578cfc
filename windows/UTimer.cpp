// UTimer: the seconds of the game and the record of the current settings.
#include "windows/UTimer.h"

#include "game/GameState.h"
#include "util/Format.h"
#include "windows/Digits.h"
#include "windows/TimerLayout.h"

TfrmTimer* frmTimer = nullptr;

TfrmTimer::TfrmTimer(Application& app)
    : TSkinnedForm(app, {PictureWindow::Timer, "imgTimer", TimerLayout::Width, TimerLayout::Height, "Timer", true}),
      Timer(app, 1000) {
    Timer.OnTimer = [this] { TimerTimer(); };
    frmTimer = this;
}

TfrmTimer::~TfrmTimer() {
    if (frmTimer == this) frmTimer = nullptr;
}

void TfrmTimer::OnCreate() {
    TSkinnedForm::OnCreate();
    Timer.SetEnabled(true);
    if (GameSettings.ViewTimer()) Show();
}

void TfrmTimer::TimerTimer() {
    if (BoardState.ElapsedTime < MaxElapsedTime) ++BoardState.ElapsedTime;
    DrawElapsed();
    DrawRecord();  // shows the whole picture, the time included
}

void TfrmTimer::OnShow() {
    TSkinnedForm::OnShow();
    DrawContents();
}

void TfrmTimer::DrawElapsed() {
    if (!PicturesDecoded()) return;  // drawn at the first showing
    DrawDigits(App().Pictures(), Background().Image, TimerLayout::TimeText.X, TimerLayout::TimeText.Y,
               NumToStrWidth(BoardState.ElapsedTime, TimerLayout::TimeChars));
}

void TfrmTimer::DrawRecord() {
    if (!PicturesDecoded()) return;
    DrawDigits(App().Pictures(), Background().Image, TimerLayout::RecordText.X, TimerLayout::RecordText.Y,
               RecordDigits(CurrentHighScore()));
    ShowBackground();
}
