// Picture: a control that shows a bitmap in a rectangle of its form, above
// the form's own drawing. Backgrounds, hover overlays and choice marks are
// pictures; hidden pictures also serve as plain bitmap holders (sprite
// sheets).
//
// A visible picture takes the pointer's events inside its rectangle; a
// hidden one lets them through to what lies below. The bitmap is drawn at
// the picture's top-left corner and cut to its rectangle.
#pragma once

#include <functional>

#include "platform/Platform.h"
#include "util/Bitmap.h"
#include "util/Geometry.h"

class Form;

class Picture {
public:
    Picture(Form& owner, const Rect& bounds) : owner_(owner), bounds_(bounds) {}
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    const Rect& Bounds() const { return bounds_; }

    // The picture's bitmap. After drawing into it, call Repaint to show it.
    Bitmap Image;

    bool Visible() const { return visible_; }
    // Showing or hiding repaints the picture's rectangle of the form.
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Puts the picture's rectangle of the form on the screen again at once.
    void Repaint();

    // Mouse coordinates are relative to the picture's top-left corner.
    std::function<void(const MouseEvent&)> OnMouseDown, OnMouseMove, OnMouseUp;
    // A left press and release both on the picture.
    std::function<void()> OnClick;
    // The second press of a left double click on the picture.
    std::function<void()> OnDblClick;

private:
    Form& owner_;
    Rect bounds_;
    bool visible_ = true;
};
