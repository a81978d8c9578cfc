// UMessage: the five message pictures shown on the plate of one window.
#include "windows/UMessage.h"

#include "util/Blit.h"
#include "windows/MessageLayout.h"

TfrmMessage* frmMessage = nullptr;

TfrmMessage::TfrmMessage(Application& app)
    : TSkinnedForm(app,
                   {PictureWindow::Message, "imgMessage", MessageLayout::Width, MessageLayout::Height, "Message", false}),
      imgExit(AddOverlay("imgExit", MessageLayout::Exit, [this] { Close(); })) {
    frmMessage = this;
}

TfrmMessage::~TfrmMessage() {
    if (frmMessage == this) frmMessage = nullptr;
}

void TfrmMessage::OnShow() {
    TSkinnedForm::OnShow();
    // The five pictures are decoded at the first message, not at start-up.
    if (messages_[0].Empty()) {
        // In MessageKind order: mkWin, mkHigh, mkLost, mkFill, mkStart.
        const char* names[] = {"imgWin", "imgHigh", "imgLost", "imgFill", "imgStart"};
        for (size_t kind = 0; kind < messages_.size(); ++kind)
            messages_[kind] =
                SkinPicture(PictureWindow::Message, names[kind], MessageLayout::Plate.Width, MessageLayout::Plate.Height,
                            App().Scale());
    }
    // Every message covers the whole plate, so the last one leaves no trace.
    if (MessageKind < messages_.size())
        BlitRect(Background().Image, MessageLayout::Plate.Left, MessageLayout::Plate.Top, MessageLayout::Plate.Width,
                 MessageLayout::Plate.Height, 0, 0, messages_[MessageKind]);
}

void TfrmMessage::OnKeyDown(int key, unsigned) {
    // Escape too: the player's usual way out of a message.
    if (key == Key::Enter || key == Key::Space || key == Key::Escape) Close();
}
