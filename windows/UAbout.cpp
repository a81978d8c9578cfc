// UAbout: the about screen.
#include "windows/UAbout.h"

#include "windows/AboutLayout.h"

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(Application& app)
    : TSkinnedForm(app, {PictureWindow::About, "ImgAbout", AboutLayout::Width, AboutLayout::Height, "About", false}),
      ImgExit(AddOverlay("ImgExit", AboutLayout::Exit, [this] { Close(); })) {
    frmAbout = this;
}

TfrmAbout::~TfrmAbout() {
    if (frmAbout == this) frmAbout = nullptr;
}

void TfrmAbout::OnKeyDown(int key, unsigned) {
    if (key == Key::Escape || key == Key::Enter) Close();
}
