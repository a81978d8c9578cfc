// UAbout: the about window: the about screen with its lit Exit. It draws
// nothing at run time; Escape or Enter closes it, so a keyboard player is
// never shut in.
#pragma once

#include "windows/SkinnedForm.h"

class TfrmAbout : public TSkinnedForm {
public:
    explicit TfrmAbout(Application& app);
    ~TfrmAbout() override;

    Picture& ImgExit;

protected:
    void OnKeyDown(int key, unsigned modifiers) override;
};

extern TfrmAbout* frmAbout;
