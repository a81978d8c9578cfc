// UStats: the statistics window, how the player does at each setting: games
// played, won, lost and given up, the share won, the average rows and
// seconds of a won game, the current and best run of wins, the games won
// with a hint, and a bar chart of won games by the rows they took.
//
// It stands beside the board while the player plays (F8 shows and hides
// it) and is drawn again whenever a game ends, so it is not modal. It
// opens at the setting being played and follows it; the arrows (or the
// Left and Right keys) go through the twelve settings and all together.
// Clear asks first: the first press lights the button as a question, a
// second press within four seconds clears. Every other key goes on to the
// board, so the game's keys work while the window has the focus.
#pragma once

#include <cstddef>

#include "forms/Timer.h"
#include "windows/SkinnedForm.h"

class TfrmStats : public TSkinnedForm {
public:
    explicit TfrmStats(Application& app);
    ~TfrmStats() override;

    Picture& imgPrev;
    Picture& imgNext;
    Picture& imgClear;
    Picture& imgExit;
    Picture& imgClearArmed;  // the question, over the clear button while it waits for the second press
    // Ends the question when no second press came.
    ::Timer ArmTimer;

    // The entry shown: 1..12 a setting, 13 all together.
    size_t View() const { return view_; }
    // Goes `step` entries on (or back), round the thirteen.
    void StepView(int step);
    bool ClearArmed() const { return armed_; }
    void ImgClearClick();
    // The statistics changed (a game ended or started): drawn again while
    // shown, at the setting in play if the window follows it.
    void Refresh();

protected:
    // Opens at the setting in play.
    void OnShow() override;
    void DrawContents() override;
    // Left and Right go through the settings, Escape hides; every other
    // key is the board's.
    void OnKeyDown(int key, unsigned modifiers) override;
    // Alt+F4 or the desktop closing it closes the game, as on the board;
    // Close and Escape only hide it.
    void OnCloseRequest() override { PassCloseToMain(); }

private:
    void Disarm();

    size_t view_ = 1;
    bool followsGame_ = true;
    bool armed_ = false;
};

extern TfrmStats* frmStats;
