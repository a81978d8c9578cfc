// Form: life cycle, painting, the modal loop and mouse dispatch.
#include "forms/Form.h"

#include <algorithm>
#include <utility>

#include "util/Blit.h"
#include "util/Scale.h"

namespace {
// A canvas's size and scale with no pixels yet: a window that is never shown
// costs no memory for them.
Bitmap EmptyCanvas(int width, int height, int scale) {
    Bitmap canvas;
    canvas.Scale = scale;
    canvas.Width = width * canvas.Scale;
    canvas.Height = height * canvas.Scale;
    return canvas;
}
}  // namespace

Form::Form(Application& app, int width, int height)
    : app_(app), window_(app.System().OpenWindow(bridge_)), width_(std::max(width, 0)),
      height_(std::max(height, 0)), canvas_(EmptyCanvas(width_, height_, app_.Scale())) {
    window_->SetBounds(OnScreen(Rect{0, 0, width_, height_}));
}

// The hooks may capture the derived window, which is gone by now, so none
// runs here; the Application runs OnDestroy before freeing the form.
Form::~Form() = default;

void Form::Create() {
    if (created_) return;
    created_ = true;
    OnCreate();
}

void Form::Destroy() {
    if (destroyed_) return;
    destroyed_ = true;
    OnDestroy();
    window_->ReleaseMouse();
    window_->Hide();
}

Rect Form::OnScreen(const Rect& area) const {
    const int s = canvas_.Scale;
    return Rect{area.Left * s, area.Top * s, area.Width * s, area.Height * s};
}

Rect Form::Bounds() const {
    const Rect b = window_->Bounds();
    const int s = canvas_.Scale;
    return Rect{FloorDiv(b.Left, s), FloorDiv(b.Top, s), width_, height_};
}

void Form::SetBounds(const Rect& bounds) {
    const Bitmap old = Resize(bounds.Width, bounds.Height);
    window_->SetBounds(OnScreen(Rect{bounds.Left, bounds.Top, width_, height_}));
    if (!old.Empty()) BlitPicture(Canvas(), 0, 0, old);
}

Bitmap Form::Resize(int width, int height) {
    width = std::max(width, 0), height = std::max(height, 0);
    if (width == width_ && height == height_) return {};
    // What fits of the old canvas is kept. It is taken out before the window
    // changes size, as its pixels may be the window's own, which the new
    // size replaces.
    const int scale = canvas_.Scale;
    Bitmap old;
    if (CanvasAllocated()) {
        if (canvas_.Pixels.IsLent())
            old = canvas_;
        else
            old = std::move(canvas_);
    }
    width_ = width, height_ = height;
    canvas_ = EmptyCanvas(width_, height_, scale);
    return old;
}

void Form::MoveTo(int left, int top) { SetBounds(Rect{left, top, width_, height_}); }

void Form::MoveBy(int dx, int dy) {
    const Rect at = window_->Bounds();
    MoveToScreen(at.Left + dx * canvas_.Scale, at.Top + dy * canvas_.Scale);
}

void Form::MoveToScreen(int left, int top) {
    const Rect at = window_->Bounds();
    window_->SetBounds(Rect{left, top, at.Width, at.Height});
}

void Form::Rescale(int screenLeft, int screenTop) {
    canvas_ = EmptyCanvas(width_, height_, app_.Scale());
    const Rect size = OnScreen(Rect{0, 0, width_, height_});
    window_->SetBounds(Rect{screenLeft, screenTop, size.Width, size.Height});
    OnScaleChanged();
    Repaint();
}

void Form::SetSize(int width, int height) {
    // The corner stays on its screen pixel, between logical ones too.
    const Bitmap old = Resize(width, height);
    const Rect at = window_->Bounds();
    const Rect size = OnScreen(Rect{0, 0, width_, height_});
    window_->SetBounds(Rect{at.Left, at.Top, size.Width, size.Height});
    if (!old.Empty()) BlitPicture(Canvas(), 0, 0, old);
}

void Form::Show() {
    if (Visible()) {
        window_->BringToFront();
        return;
    }
    OnShow();
    window_->Show();
    Repaint();
}

void Form::Hide() {
    captured_ = false;
    mouseTarget_ = pressed_ = nullptr;
    window_->ReleaseMouse();
    window_->Hide();
}

int Form::ShowModal() {
    if (modal_) return mrNone;  // already running its loop
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    const bool finished = app_.System().RunModal(*window_, [this] { return modalResult_ != mrNone; });
    if (!finished && modalResult_ == mrNone) modalResult_ = mrCancel;
    OnClose();
    Hide();
    modal_ = false;
    return modalResult_;
}

void Form::Close() {
    if (!OnCloseQuery()) return;
    if (modal_) {
        // OnClose runs once, as the modal loop ends.
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    OnClose();
    if (app_.MainForm() == this) {
        Hide();
        app_.Terminate();
    } else {
        Hide();
    }
}

// ---- painting --------------------------------------------------------------

Picture& Form::AddPicture(const Rect& bounds) {
    pictures_.push_back(std::make_unique<Picture>(*this, bounds));
    return *pictures_.back();
}

bool Form::CanvasAllocated() const {
    return !canvas_.Pixels.empty() && canvas_.Pixels.size() == size_t(canvas_.Width) * size_t(canvas_.Height);
}

Bitmap& Form::Canvas() {
    const size_t count = size_t(canvas_.Width) * size_t(canvas_.Height);
    // Where the system lets us, the canvas is the very memory the window is
    // shown from: composing into it is all a present needs, with no copy of
    // the frame and no second frame kept.
    if (uint32_t* shown = count ? window_->SurfacePixels() : nullptr) {
        if (canvas_.Pixels.data() != shown || canvas_.Pixels.size() != count) {
            // Pixels drawn before the window had its surface come along.
            if (CanvasAllocated() && !canvas_.Pixels.IsLent())
                std::copy(canvas_.Pixels.begin(), canvas_.Pixels.end(), shown);
            canvas_.Pixels = PixelBuffer::Lent(shown, count);
        }
        return canvas_;
    }
    // A block of the form's own. Memory once lent and now taken back (the
    // window lost its surface) is never touched again.
    if (!CanvasAllocated() || canvas_.Pixels.IsLent()) canvas_.Pixels = PixelBuffer(count);
    return canvas_;
}

void Form::Repaint() { RepaintRect(Rect{0, 0, width_, height_}); }

void Form::RepaintRect(const Rect& area) {
    // A hidden window composes nothing: showing it composes it whole.
    if (!Visible()) return;
    const Rect clip = Intersect(area, Rect{0, 0, width_, height_});
    if (clip.Empty()) return;
    OnPaint();
    for (const auto& picture : pictures_) {
        if (!picture->Visible()) continue;
        // The part of the picture inside the area, drawn from the matching
        // part of its bitmap; the bitmap is cut to the picture's rectangle.
        const Rect part = Intersect(clip, picture->Bounds());
        if (part.Empty()) continue;
        BlitRect(Canvas(), part.Left, part.Top, part.Width, part.Height, part.Left - picture->Bounds().Left,
                 part.Top - picture->Bounds().Top, picture->Image);
    }
    PresentRect(clip);
}

void Form::PresentRect(const Rect& area) {
    // A hidden window presents nothing; it is presented whole when shown.
    if (!Visible()) return;
    const Rect clip = Intersect(area, Rect{0, 0, width_, height_});
    if (!clip.Empty()) window_->Present(Canvas(), OnScreen(clip));
}

// ---- mouse -----------------------------------------------------------------

void Form::CaptureMouse() {
    if (!captured_) mouseTarget_ = nullptr;
    captured_ = true;
    window_->CaptureMouse();
}

void Form::ReleaseMouse() {
    captured_ = false;
    mouseTarget_ = nullptr;
    window_->ReleaseMouse();
}

MouseEvent Form::Logical(const MouseEvent& e) const {
    MouseEvent r = e;
    r.X = FloorDiv(e.X, canvas_.Scale);
    r.Y = FloorDiv(e.Y, canvas_.Scale);
    return r;
}

Picture* Form::PictureAt(int x, int y) const {
    for (auto it = pictures_.rbegin(); it != pictures_.rend(); ++it)
        if ((*it)->Visible() && (*it)->Bounds().Contains(x, y)) return it->get();
    return nullptr;
}

MouseEvent Form::RelativeTo(const MouseEvent& e, const Picture* picture) {
    MouseEvent r = e;
    if (picture) {
        r.X -= picture->Bounds().Left;
        r.Y -= picture->Bounds().Top;
    }
    return r;
}

void Form::Deliver(Picture* target, const MouseEvent& e, MouseAction action) {
    const MouseEvent local = RelativeTo(e, target);
    if (!target) {
        switch (action) {
            case MouseAction::Down: OnMouseDown(local); break;
            case MouseAction::Move: OnMouseMove(local); break;
            case MouseAction::Up: OnMouseUp(local); break;
        }
        return;
    }
    const auto& handler = action == MouseAction::Down   ? target->OnMouseDown
                          : action == MouseAction::Move ? target->OnMouseMove
                                                        : target->OnMouseUp;
    if (handler) {
        // Copied: the handler may replace itself while it runs.
        auto call = handler;
        call(local);
    }
}

void Form::MouseDown(const MouseEvent& e) {
    Picture* target = PictureAt(e.X, e.Y);
    if (e.Button == MouseButton::Left) {
        captured_ = true;
        mouseTarget_ = target;
        pressed_ = target;
        window_->CaptureMouse();
        // The second press of a double click: the double click first, then
        // the press itself, as the framework's users expect.
        if (e.Clicks == 2) {
            if (!target) {
                OnDblClick();
            } else if (target->OnDblClick) {
                auto dbl = target->OnDblClick;
                dbl();
            }
        }
    }
    Deliver(target, e, MouseAction::Down);
}

void Form::MouseMove(const MouseEvent& e) {
    Picture* target = captured_ ? mouseTarget_ : PictureAt(e.X, e.Y);
    Deliver(target, e, MouseAction::Move);
}

void Form::MouseUp(const MouseEvent& e) {
    Picture* target = captured_ ? mouseTarget_ : PictureAt(e.X, e.Y);
    if (e.Button == MouseButton::Left) {
        const bool click = captured_ && pressed_ && pressed_ == target && target->Visible() &&
                           target->Bounds().Contains(e.X, e.Y);
        captured_ = false;
        mouseTarget_ = pressed_ = nullptr;
        window_->ReleaseMouse();
        // The click comes before the release is reported, so a click that
        // closes the window is not followed by stray handling of the press.
        if (click && target->OnClick) {
            auto onClick = target->OnClick;
            onClick();
        }
    }
    Deliver(target, e, MouseAction::Up);
}

void Form::CaptureLost() {
    captured_ = false;
    mouseTarget_ = pressed_ = nullptr;
    OnCaptureLost();
}

// ---- Picture ---------------------------------------------------------------

void Picture::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    owner_.RepaintRect(bounds_);
}

void Picture::Repaint() { owner_.RepaintRect(bounds_); }
