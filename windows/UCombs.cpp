// UCombs: the count of codes still possible.
#include "windows/UCombs.h"

#include "game/GameState.h"
#include "game/Solver.h"
#include "util/Format.h"
#include "windows/CombsLayout.h"
#include "windows/Digits.h"

TfrmCombs* frmCombs = nullptr;

TfrmCombs::TfrmCombs(Application& app)
    : TSkinnedForm(app, {PictureWindow::Combs, "imgCombs", CombsLayout::Width, CombsLayout::Height, "Combs", true}) {
    frmCombs = this;
}

TfrmCombs::~TfrmCombs() {
    if (frmCombs == this) frmCombs = nullptr;
}

void TfrmCombs::OnCreate() {
    TSkinnedForm::OnCreate();
    if (GameSettings.ViewCombs()) Show();
}

void TfrmCombs::OnShow() {
    TSkinnedForm::OnShow();
    DrawCount();
}

void TfrmCombs::DrawCount() {
    if (!PicturesDecoded()) return;  // drawn at the first showing
    DrawDigits(App().Pictures(), Background().Image, CombsLayout::CountText.X, CombsLayout::CountText.Y,
               NumToStrWidth(CandidateCount, CombsLayout::CountChars));
    ShowBackground();
}
