// UOptions: choosing code length, colour count and repeated colours.
#include "windows/UOptions.h"

#include "game/GameState.h"

TfrmOptions* frmOptions = nullptr;

namespace {

using namespace OptionsLayout;

// What each choice sets, and the choices of the same line it replaces.
struct ChoiceEffect {
    enum Line { Spaces, Colors, Doubles } Which;
    uint8_t Value;
    int First, Last;  // the line's choices, inclusive
};
constexpr ChoiceEffect Effects[ChoiceCount] = {
    {ChoiceEffect::Spaces, 4, Choice4, Choice5},   {ChoiceEffect::Spaces, 5, Choice4, Choice5},
    {ChoiceEffect::Colors, 6, Choice6, Choice10},  {ChoiceEffect::Colors, 8, Choice6, Choice10},
    {ChoiceEffect::Colors, 10, Choice6, Choice10}, {ChoiceEffect::Doubles, 1, ChoiceYes, ChoiceNo},
    {ChoiceEffect::Doubles, 0, ChoiceYes, ChoiceNo},
};

}  // namespace

TfrmOptions::TfrmOptions(Application& app)
    : TSkinnedForm(app, {PictureWindow::Options, "ImgOptions", OptionsLayout::Width, OptionsLayout::Height, "Options", false}),
      imgOk(AddOverlay("imgOk", OptionsLayout::Ok, [this] { imgOkClick(); })),
      imgCancel(AddOverlay("imgCancel", OptionsLayout::Cancel, [this] { imgCancelClick(); })) {
    for (int i = 0; i < ChoiceCount; ++i) {
        Picture& mark = AddMark(Choices[i].Name, Choices[i].Area);
        // A press on a mark is a press on its choice: hand it to the
        // background in the background's coordinates.
        const int dx = Choices[i].Area.Left, dy = Choices[i].Area.Top;
        auto local = [dx, dy](MouseEvent e) {
            e.X += dx;
            e.Y += dy;
            return e;
        };
        mark.OnMouseDown = [this, local](const MouseEvent& e) { BackgroundMouseDown(local(e)); };
        mark.OnMouseMove = [this, local](const MouseEvent& e) { BackgroundMouseMove(local(e)); };
        mark.OnMouseUp = [this, local](const MouseEvent& e) { BackgroundMouseUp(local(e)); };
        Marks[static_cast<size_t>(i)] = &mark;
    }
    frmOptions = this;
}

TfrmOptions::~TfrmOptions() {
    if (frmOptions == this) frmOptions = nullptr;
}

void TfrmOptions::OnShow() {
    TSkinnedForm::OnShow();
    PendingSpaces = GameSettings.Spaces;
    PendingColors = GameSettings.Colors;
    PendingDoubles = GameSettings.Doubles;
    ShowMarks();
}

void TfrmOptions::ShowMarks() {
    for (int i = 0; i < ChoiceCount; ++i) {
        const ChoiceEffect& effect = Effects[i];
        const uint8_t pending = effect.Which == ChoiceEffect::Spaces   ? PendingSpaces
                                : effect.Which == ChoiceEffect::Colors ? PendingColors
                                                                       : uint8_t(PendingDoubles ? 1 : 0);
        Marks[static_cast<size_t>(i)]->SetVisible(pending == effect.Value);
    }
}

void TfrmOptions::Choose(int choice) {
    const ChoiceEffect& effect = Effects[choice];
    switch (effect.Which) {
        case ChoiceEffect::Spaces: PendingSpaces = effect.Value; break;
        case ChoiceEffect::Colors: PendingColors = effect.Value; break;
        case ChoiceEffect::Doubles: PendingDoubles = effect.Value != 0; break;
    }
    for (int i = effect.First; i <= effect.Last; ++i) Marks[static_cast<size_t>(i)]->SetVisible(i == choice);
}

void TfrmOptions::BackgroundMouseDown(const MouseEvent& e) {
    if (e.Button != MouseButton::Left) return;
    for (int i = 0; i < ChoiceCount; ++i) {
        const Rect& a = Choices[i].Area;
        if (PointInArea(e.X, e.Y, a.Left, a.Top, a.Width, a.Height)) {
            Choose(i);
            return;
        }
    }
    TSkinnedForm::BackgroundMouseDown(e);
}

void TfrmOptions::imgOkClick() {
    GameSettings.Spaces = PendingSpaces;
    GameSettings.Colors = PendingColors;
    GameSettings.Doubles = PendingDoubles;
    SetModalResult(mrOk);
}

void TfrmOptions::imgCancelClick() { SetModalResult(mrCancel); }

int OptionChoiceForKey(int key) {
    switch (key) {
        case Key::Digit(4): return Choice4;
        case Key::Digit(5): return Choice5;
        case Key::Digit(6): return Choice6;
        case Key::Digit(8): return Choice8;
        case Key::Digit(1):  // the first digit of 10
        case Key::Digit(0): return Choice10;
        case 'Y': return ChoiceYes;
        case 'N': return ChoiceNo;
        default: return -1;
    }
}

void TfrmOptions::OnKeyDown(int key, unsigned) {
    // Enter confirms what is chosen, as the Ok picture does.
    if (key == Key::Enter) imgOkClick();
    if (key == Key::Escape) SetModalResult(mrCancel);
    if (const int choice = OptionChoiceForKey(key); choice >= 0) Choose(choice);
}
