// SkinnedForm: the frame every side window shares, written once. A side
// window is a borderless form covered by its skin picture (the background,
// which takes every mouse event no button takes), with hover overlays that
// light up while the pointer is over them, dragged by its background with
// the left button, optionally cut to a rounded shape, and kept where the
// player left it: the place is read when the window is created and written
// when it is destroyed.
//
// A window built on it overrides the Background* handlers for what its
// background does beyond dragging and hover, and calls the base versions
// for the rest; the form's own events (OnShow, OnDestroy, ...) likewise.
//
// The timer and combinations windows hand every key on to the main
// window's key handler through PassKeyToMain; the main window installs that
// handler with SetMainKeyHandler.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/Form.h"
#include "forms/Picture.h"
#include "forms/StoredPlace.h"
#include "resources/Pictures.h"
#include "windows/LayoutTypes.h"

// The main window's key handler, which the timer and combinations windows
// pass their keys to. Without one set, passed keys do nothing.
using MainKeyHandler = std::function<void(int key, unsigned modifiers)>;
void SetMainKeyHandler(MainKeyHandler handler);
void PassKeyToMain(int key, unsigned modifiers);

class TSkinnedForm : public Form {
public:
    struct Frame {
        PictureWindow Pictures;       // the window's picture folder
        std::string_view Background;  // the skin's picture name
        int Width = 0, Height = 0;
        std::string_view PlaceName;   // "Timer": stored as "TimerLeft", "TimerTop"
        bool Rounded = false;         // cut with 24 x 24 rounded corners
    };

    TSkinnedForm(Application& app, const Frame& frame);

    // The point of the last left press on the background, in client
    // coordinates, and whether that press is dragging the window now.
    bool Dragging() const { return dragging_; }
    int DragX() const { return dragX_; }
    int DragY() const { return dragY_; }

    // Whether the store held the window's place when it was created; a
    // window without one stands centred until its owner places it.
    bool PlaceStored() const { return placeStored_; }

    // The background picture, decoded if it was not yet.
    Picture& Background();
    // Stores where the window stands now (also done on destruction); false
    // when the store refused.
    bool StorePlace();
    // True once the window's pictures are decoded (it was shown, or drawn
    // into). A display that is not yet can skip drawing: its first showing
    // draws it whole, so a window never shown decodes nothing.
    bool PicturesDecoded() const { return pending_.empty(); }

protected:
    // A hover overlay at `area`, showing the named picture, hidden until the
    // pointer comes over it; a click on it runs `click`.
    Picture& AddOverlay(std::string_view name, const Rect& area, std::function<void()> click);
    // A picture lying above the background that is not an overlay (the
    // options' choice marks): visible as the window decides.
    Picture& AddMark(std::string_view name, const Rect& area);

    // Puts the whole background picture on the window at once, after
    // drawing into it.
    void ShowBackground() { background_.Repaint(); }

    // Left press: starts a drag. Move: drags, or else shows exactly the
    // overlays under the pointer. Left release: ends the drag.
    virtual void BackgroundMouseDown(const MouseEvent& e);
    virtual void BackgroundMouseMove(const MouseEvent& e);
    virtual void BackgroundMouseUp(const MouseEvent& e);
    virtual void BackgroundDblClick() {}
    void StartDrag(int x, int y);
    // A close request for a window that belongs to the board (the timer and
    // combinations windows, which also pass their keys on): the board's own.
    void PassCloseToMain();

    // Reads the stored place (centred when none is stored) and cuts the
    // rounded shape. Writes the place back on destruction. Every showing
    // starts with all overlays hidden and no drag.
    void OnCreate() override;
    void OnDestroy() override;
    void OnShow() override;
    // A modal window took the mouse in the middle of a drag: the drag ends.
    void OnCaptureLost() override { dragging_ = false; }
    // The pictures and the shape are made again at the new scale.
    void OnScaleChanged() override;
    // Draws again what the window draws into its pictures (digits, marks);
    // run after the pictures were made at a new scale.
    virtual void DrawContents() {}

    // Decodes every picture of the window that is still waiting.
    void LoadPictures();

private:
    struct Pending {
        Picture* Target;
        std::string_view Name;
    };
    void Defer(Picture& picture, std::string_view name);
    void CutShape();

    Frame frame_;
    StoredPlace place_;
    std::vector<Pending> pending_;
    std::vector<Pending> sources_;  // every picture with its name, for a new scale
    Picture& background_;
    std::vector<Picture*> overlays_;
    std::vector<Rect> overlayAreas_;
    bool dragging_ = false;
    int dragX_ = 0, dragY_ = 0;
    bool placeStored_ = false;
};
