// SkinnedForm: skin, shape, drag, hover and stored place of a side window.
#include "windows/SkinnedForm.h"

#include <cstdint>
#include <string>
#include <utility>

#include "game/Settings.h"
#include "resources/ScaledPicture.h"
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

Bitmap SkinPicture(PictureWindow window, std::string_view name, int width, int height, int scale) {
    if (auto picture = PictureAt(window, name, scale)) return std::move(*picture);
    return Bitmap::Logical(width, height, scale);
}

TSkinnedForm::TSkinnedForm(Application& app, const Frame& frame)
    : Form(app, frame.Width, frame.Height), frame_(frame),
      background_(AddPicture(Rect{0, 0, frame.Width, frame.Height})) {
    Defer(background_, frame.Background, frame.Width, frame.Height);
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
    Defer(picture, name, area.Width, area.Height);
    return picture;
}

void TSkinnedForm::Defer(Picture& picture, std::string_view name, int width, int height) {
    // Until the pictures are decoded a picture stands empty at its size.
    picture.Image = Bitmap();
    pending_.push_back(Pending{&picture, name, width, height});
    sources_.push_back(pending_.back());
}

void TSkinnedForm::LoadPictures() {
    // Decoded on first need (a showing, or drawing into the background), so
    // windows the player never opens cost no start-up time or memory.
    for (const Pending& p : pending_) p.Target->Image = SkinPicture(frame_.Pictures, p.Name, p.Width, p.Height, App().Scale());
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
    // Places are kept in screen pixels; no value reads as INT32_MIN, which
    // a place of its own never is.
    const Platform& desktop = App().System();
    const std::string place(frame_.PlaceName);
    const int left = WindowPositions.ReadInteger(place + "Left", INT32_MIN);
    const int top = WindowPositions.ReadInteger(place + "Top", INT32_MIN);
    // A place partly off the screen is used as it is: the player put it
    // there. One the window could not be grabbed at counts as none, so the
    // window is placed anew.
    placeStored_ = left != INT32_MIN && top != INT32_MIN &&
                   PlaceReachable(left, top, desktop.ScreenWidth(), desktop.ScreenHeight());
    const Rect size = ScreenBounds();
    const Rect at = placeStored_ ? Rect{left, top, size.Width, size.Height}
                                 : DefaultPlace(size.Width, size.Height, desktop.WorkArea());
    MoveToScreen(at.Left, at.Top);
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

bool TSkinnedForm::StorePlace() {
    // Stored as the game ends and again as the window goes: once is enough
    // while the window has not moved.
    const Rect at = ScreenBounds();
    if (storedPlace_ && *storedPlace_ == at) return true;
    if (!WindowPositions.WritePlace(std::string(frame_.PlaceName), at.Left, at.Top)) return false;
    storedPlace_ = at;
    return true;
}

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
