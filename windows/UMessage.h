// UMessage: the message window. The caller sets MessageKind and shows the
// window modally; each showing copies that kind's picture onto the plate of
// the background, where it stays until the next showing covers it.
#pragma once

#include <cstdint>

#include "windows/SkinnedForm.h"

enum : uint8_t { mkWin = 0, mkHigh = 1, mkLost = 2, mkFill = 3, mkStart = 4 };

class TfrmMessage : public TSkinnedForm {
public:
    explicit TfrmMessage(Application& app);
    ~TfrmMessage() override;

    // Set before each showing. A kind above mkStart shows nothing new: the
    // plate keeps what it showed last.
    uint8_t MessageKind = mkWin;

    Picture& imgExit;

protected:
    void OnShow() override;
    void DrawContents() override {
        if (Visible()) OnShow();
    }
    // Enter or Space closes.
    void OnKeyDown(int key, unsigned modifiers) override;

};

extern TfrmMessage* frmMessage;
