// UHigh: the high-score window, showing the twelve records, one cell per
// combination of code length, colour count and repeated colours. A double
// click clears the record under the last left press; Reset Scores clears
// all twelve. A clearing is stored at once, as a new record is: another
// copy of the game running beside this one, or a crash before the exit,
// must not bring the cleared records back. Statistics closes the window
// with mrStatistics, and the board opens the statistics window.
#pragma once

#include "windows/SkinnedForm.h"

// The modal result of the Statistics button: the board opens the
// statistics window once the records window has closed.
inline constexpr int mrStatistics = 3;

class TfrmHigh : public TSkinnedForm {
public:
    explicit TfrmHigh(Application& app);
    ~TfrmHigh() override;

    Picture& imgExit;
    Picture& ImgReset;
    Picture& imgStats;

    void ImgResetClick();

protected:
    // Draws all twelve cells from HighScoreTable.
    void OnShow() override;
    // Shown only modally: drawn again as at its showing.
    void DrawContents() override {
        if (Visible()) OnShow();
    }
    void BackgroundDblClick() override;
    // Enter closes.
    void OnKeyDown(int key, unsigned modifiers) override;

private:
    // Draws the record of those settings into its cell of the picture.
    void DrawCell(int spaces, int colors, bool doubles);
};

extern TfrmHigh* frmHigh;
