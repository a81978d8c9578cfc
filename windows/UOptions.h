// UOptions: the options window, where the code length, the colour count
// and repeated colours are chosen. Shown modally; its result is mrOk when
// the player confirmed, by Ok or by Enter alike (both put the chosen values
// into GameSettings: a confirmation that kept the old values would start
// the new game with the options the player just turned away from), and
// mrCancel otherwise (Cancel, Escape). Each showing starts from the
// current settings.
#pragma once

#include <array>
#include <cstdint>

#include "windows/OptionsLayout.h"
#include "windows/SkinnedForm.h"

// The choice (OptionsLayout::ChoiceIndex) a key picks, as a click on it
// does: the digit it reads (4, 5, 6, 8; 0 or 1 for 10) and Y or N for
// repeats. -1 for every other key.
int OptionChoiceForKey(int key);

class TfrmOptions : public TSkinnedForm {
public:
    explicit TfrmOptions(Application& app);
    ~TfrmOptions() override;

    // The choice as it stands in the window, before Ok commits it.
    uint8_t PendingSpaces = 4;
    uint8_t PendingColors = 8;
    bool PendingDoubles = false;

    // The seven choice marks, in OptionsLayout::Choices order; a mark is
    // visible exactly while its value is the pending choice.
    std::array<Picture*, OptionsLayout::ChoiceCount> Marks{};
    Picture& imgOk;
    Picture& imgCancel;

    void imgOkClick();
    void imgCancelClick();

protected:
    void OnShow() override;
    // A left press inside a choice area selects it and never drags; a press
    // anywhere else drags as on every side window.
    void BackgroundMouseDown(const MouseEvent& e) override;
    // Enter: OK without storing the choice; Escape: Cancel; the keys of
    // OptionChoiceForKey choose as a click does.
    void OnKeyDown(int key, unsigned modifiers) override;

private:
    void Choose(int choice);
    void ShowMarks();
};

extern TfrmOptions* frmOptions;
