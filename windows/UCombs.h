// UCombs: the combinations window, showing how many codes are still
// possible (CandidateCount). The game flow tells it when to redraw.
//
// It never closes on request and passes every key to the main window.
#pragma once

#include "windows/SkinnedForm.h"

class TfrmCombs : public TSkinnedForm {
public:
    explicit TfrmCombs(Application& app);
    ~TfrmCombs() override;

    // CandidateCount, right-aligned in six characters, into the picture and
    // onto the window; kept up to date also while the window is hidden, once
    // it was shown (until then its first showing draws it).
    void DrawCount();

protected:
    void OnCreate() override;
    void OnShow() override;
    void DrawContents() override { DrawCount(); }
    bool OnCloseQuery() override { return false; }
    void OnCloseRequest() override { PassCloseToMain(); }
    void OnKeyDown(int key, unsigned modifiers) override { PassKeyToMain(key, modifiers); }
};

extern TfrmCombs* frmCombs;
