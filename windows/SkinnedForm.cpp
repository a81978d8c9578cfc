// SkinnedForm: skin, shape, drag, hover and stored place of a side window.
#include "windows/SkinnedForm.h"

#include <string>
#include <utility>

#include "util/Blit.h"
#include "util/Scale.h"
#include "util/ScreenPlace.h"

namespace {

MainKeyHandler& KeyHandler() {
    static MainKeyHandler handler;
    return handler;
}

}  // namespace

void SetMainKeyHandler(MainKeyHandler handler) { KeyHandler() = std::move(handler); }

void PassKeyToMain(int key, unsigned modifiers) {
    // Copied: the handler may install another one while it runs.
    if (MainKeyHandler handler = KeyHandler()) handler(key, modifiers);
}

TSkinnedForm::TSkinnedForm(Application& app, const Frame& frame)
    : Form(app, frame.Width, frame.Height), frame_(frame), place_(frame.PlaceName),
      background_(AddPicture(Rect{0, 0, frame.Width, frame.Height})) {
    Defer(background_, frame.Background);
    background_.OnMouseDown = [this](const MouseEvent& e) { BackgroundMouseDown(e); };
    background_.OnMouseMove = [this](const MouseEvent& e) { BackgroundMouseMove(e); };
    background_.OnMouseUp = [this](const MouseEvent& e) { BackgroundMouseUp(e); };
    background_.OnDblClick = [this] { BackgroundDblClick(); };
}

Picture& TSkinnedForm::AddOverlay(std::string_view name, const Rect& area, std::function<void()> click) {
    Picture& overlay = AddMark(name, area);
    overlay.Hide();
    overlay.OnClick = std::move(click);
    overlays_.push_back(&overlay);
    overlayAreas_.push_back(area);
    return overlay;
}

Picture& TSkinnedForm::AddMark(std::string_view name, const Rect& area) {
    Picture& picture = AddPicture(area);
    Defer(picture, name);
    return picture;
}

void TSkinnedForm::Defer(Picture& picture, std::string_view name) {
    // Until the pictures are decoded a picture stands empty.
    picture.Image = Bitmap();
    pending_.push_back(Pending{&picture, name});
    sources_.push_back(pending_.back());
}

void TSkinnedForm::LoadPictures() {
    // Decoded on first need (a showing, or drawing into the background), so
    // windows the player never opens cost no start-up time or memory. Each
    // picture is the window's own from then on (the background is drawn
    // into), so the application's pictures hand it over rather than keep
    // a second copy.
    for (const Pending& p : pending_) p.Target->Image = App().Pictures().Take(frame_.Pictures, p.Name);
    pending_.clear();
}

Picture& TSkinnedForm::Background() {
    LoadPictures();
    return background_;
}

void TSkinnedForm::StartDrag(int x, int y) {
    dragging_ = true;
    dragX_ = x;
    dragY_ = y;
}

void TSkinnedForm::BackgroundMouseDown(const MouseEvent& e) {
    if (e.Button == MouseButton::Left) StartDrag(e.X, e.Y);
}

void TSkinnedForm::BackgroundMouseMove(const MouseEvent& e) {
    if (dragging_) {
        // The pointer keeps its place on the picture.
        MoveBy(e.X - dragX_, e.Y - dragY_);
        return;
    }
    for (size_t i = 0; i < overlays_.size(); ++i) {
        const Rect& a = overlayAreas_[i];
        overlays_[i]->SetVisible(PointInArea(e.X, e.Y, a.Left, a.Top, a.Width, a.Height));
    }
}

void TSkinnedForm::BackgroundMouseUp(const MouseEvent& e) {
    if (e.Button == MouseButton::Left) dragging_ = false;
}

void TSkinnedForm::OnCreate() {
    placeStored_ = place_.Restore(*this);
    if (!placeStored_) {
        const Rect size = ScreenBounds();
        const Rect at = DefaultPlace(size.Width, size.Height, App().System().WorkArea());
        MoveToScreen(at.Left, at.Top);
    }
    CutShape();
}

void TSkinnedForm::CutShape() {
    if (frame_.Rounded)
        SetShape(Region(frame_.Width, frame_.Height,
                        RoundRectShape(0, 0, frame_.Width, frame_.Height, Layout::CornerEllipse, Layout::CornerEllipse),
                        App().Scale()));
}

void TSkinnedForm::OnScaleChanged() {
    // Every picture is decoded again at the new scale, when next needed; a
    // window already drawn draws what it shows again at once.
    const bool drawn = pending_.empty();
    for (const Pending& p : sources_) p.Target->Image = Bitmap();
    pending_ = sources_;
    CutShape();
    if (drawn) {
        LoadPictures();
        DrawContents();
    }
}

void TSkinnedForm::OnDestroy() { StorePlace(); }

// Stored as the game ends and again as the window goes.
bool TSkinnedForm::StorePlace() { return place_.Store(*this); }

void TSkinnedForm::PassCloseToMain() {
    if (Form* main = App().MainForm(); main && main != this) main->Close();
}

void TSkinnedForm::OnShow() {
    LoadPictures();
    // A drag cut short by hiding the window (its capture is gone) must not
    // go on at the next move.
    dragging_ = false;
    for (Picture* overlay : overlays_) overlay->Hide();
}
