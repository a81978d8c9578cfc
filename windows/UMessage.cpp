// UMessage: the five message pictures shown on the plate of one window.
#include "windows/UMessage.h"

#include <iterator>

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
    // In MessageKind order: mkWin, mkHigh, mkLost, mkFill, mkStart. Each is
    // decoded at its first showing (not at start-up), at the scale the
    // application draws at now.
    static constexpr const char* Names[] = {"imgWin", "imgHigh", "imgLost", "imgFill", "imgStart"};
    // Every message covers the whole plate, so the last one leaves no trace.
    if (MessageKind < std::size(Names))
        BlitRect(Background().Image, MessageLayout::Plate.Left, MessageLayout::Plate.Top, MessageLayout::Plate.Width,
                 MessageLayout::Plate.Height, 0, 0, App().Pictures().Get(PictureWindow::Message, Names[MessageKind]));
}

void TfrmMessage::OnKeyDown(int key, unsigned) {
    // Escape too: the player's usual way out of a message.
    if (key == Key::Enter || key == Key::Space || key == Key::Escape) Close();
}
