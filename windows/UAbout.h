// UAbout: the about window: the about screen with its lit Exit. It draws
// nothing at run time and has no keys.
#pragma once

#include "windows/SkinnedForm.h"

class TfrmAbout : public TSkinnedForm {
public:
    explicit TfrmAbout(Application& app);
    ~TfrmAbout() override;

    Picture& ImgExit;
};

extern TfrmAbout* frmAbout;
