// Form: one borderless window of the game, with its client surface and the
// picture controls on it. Every window of the program is a Form.
//
// The form owns its platform window and a client-sized Bitmap, the canvas.
// A repaint composes the canvas (the OnPaint hook draws the form's own
// background, then every visible picture is drawn above it in creation
// order) and presents it. Drawing straight onto the screen is drawing into
// the canvas followed by PresentRect. Where the system shows the window from
// memory it lets the program draw into (Window::SurfacePixels), the canvas
// is that memory: a present then copies nothing, and no second frame is
// kept. Elsewhere (a window not shown yet, a screen of another pixel
// format) the canvas is the form's own, and a present copies from it.
//
// Mouse events go to the top-most visible picture under the pointer, or to
// the form's own handlers where there is none. A left press captures the
// mouse for its target until the left release, so moves and the release
// keep coming to it also outside the window; a release on the pressed
// picture clicks it. Keys always reach the form's OnKeyDown: pictures never
// take the keyboard, so a form sees every key first, as with key preview.
//
// Everything a form says (its place, size, the pointer's position, the
// areas it draws and presents) is in logical pixels; its window and canvas
// are the drawing scale times that size (util/Scale.h), and the pointer is
// brought back to logical pixels before any handler sees it.
//
// Hooks run in the order of a window's life: OnCreate once, when the
// Application creates the form; OnShow before each showing; OnCloseQuery
// and OnClose when it is closed; OnDestroy once, while the window still
// exists, when the Application destroys its forms.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Application.h"
#include "forms/Picture.h"
#include "platform/Platform.h"
#include "util/Bitmap.h"
#include "util/Geometry.h"
#include "util/Region.h"

// Modal results: none yet, confirmed, cancelled.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

class Form {
public:
    // A hidden form of the given client size at (0, 0).
    Form(Application& app, int width, int height);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& App() { return app_; }
    Window& PlatformWindow() { return *window_; }

    // Run by the Application; each hook runs at most once.
    void Create();
    void Destroy();

    int Left() const { return Bounds().Left; }
    int Top() const { return Bounds().Top; }
    int Width() const { return Bounds().Width; }
    int Height() const { return Bounds().Height; }
    Rect Bounds() const;
    // Moving keeps the canvas; resizing keeps what fits of it.
    void SetBounds(const Rect& bounds);
    void MoveTo(int left, int top);
    // Moves by whole logical pixels from where the window stands, wherever
    // that is on the screen's finer grid.
    void MoveBy(int dx, int dy);
    // The window's place in screen pixels: what is stored between runs, so a
    // place means the same spot at every scale and comes back exactly.
    Rect ScreenBounds() const { return window_->Bounds(); }
    void MoveToScreen(int left, int top);
    void SetSize(int width, int height);
    void SetCaption(const std::string& caption) { window_->SetTitle(caption); }

    bool Visible() const { return window_->Visible(); }
    // OnShow, then the window appears in front, freshly painted. Showing a
    // visible form only brings it to the front.
    void Show();
    void Hide();
    void BringToFront() { window_->BringToFront(); }

    // Shows the form and runs a modal loop until a modal result is set (or
    // the program quits, which counts as Cancel); hides it and returns the
    // result. Other windows get no input meanwhile; timers keep ticking.
    int ShowModal();
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    // A non-zero result ends the modal loop.
    void SetModalResult(int result) { modalResult_ = result; }

    // Asks OnCloseQuery (which may refuse), then runs OnClose and closes: a
    // modal form ends with Cancel, the main form ends the program, any other
    // form hides. The platform's close requests come here too.
    void Close();

    // The window's shape in client coordinates, or none for a rectangle.
    void SetShape(const Region& shape) { window_->SetShape(&shape); }
    void ClearShape() { window_->SetShape(nullptr); }

    // The client-sized surface; its pixels are made (or taken from the
    // window) when first asked for. Ask again after any change of size: the
    // window's memory may have moved.
    Bitmap& Canvas();
    void Repaint();
    // Composes and presents only `area` (client coordinates).
    void RepaintRect(const Rect& area);
    // Presents `area` of the canvas as it is, composing nothing.
    void PresentRect(const Rect& area);

    // A picture at `bounds`, visible, on top of those made before it.
    Picture& AddPicture(const Rect& bounds);

    // Keeps the mouse for the form's own handlers until ReleaseMouse or the
    // left release; a left press does this by itself.
    void CaptureMouse();
    void ReleaseMouse();

    // Makes the window and canvas again at the drawing scale, the window's
    // top-left corner at (screenLeft, screenTop) on the screen;
    // OnScaleChanged then redraws what the form keeps of its own, and a
    // visible form is repainted.
    void Rescale(int screenLeft, int screenTop);

protected:
    // The form's own events. A window overrides those it needs and may call
    // the base version; a shared frame and the window built on it thus both
    // keep their handling. Every default does nothing (OnCloseQuery allows).
    virtual void OnCreate() {}
    virtual void OnShow() {}
    virtual bool OnCloseQuery() { return true; }  // false refuses the close
    // The system asks the window to close (Alt+F4, the window manager):
    // by default Close.
    virtual void OnCloseRequest() { Close(); }
    virtual void OnClose() {}
    virtual void OnDestroy() {}
    virtual void OnPaint() {}  // draws the form's own background into the canvas
    virtual void OnKeyDown(int /*key*/, unsigned /*modifiers*/) {}
    // The form's own mouse handlers, for points no visible picture covers.
    virtual void OnMouseDown(const MouseEvent&) {}
    virtual void OnMouseMove(const MouseEvent&) {}
    virtual void OnMouseUp(const MouseEvent&) {}
    virtual void OnDblClick() {}
    virtual void OnMouseLeave() {}
    // A modal window took the mouse while a press of this form was held:
    // whatever the press started ends here, and no release will follow.
    virtual void OnCaptureLost() {}
    // The drawing scale changed: pictures and shapes made at the old one
    // are made again.
    virtual void OnScaleChanged() {}
    // The desktop asks for another drawing scale (the window went to a
    // screen of another density); the default ignores it.
    virtual void OnScaleWanted(int /*scale*/) {}

private:
    // Passes the platform's window events on to the form.
    class Bridge final : public WindowEvents {
    public:
        explicit Bridge(Form& form) : form_(form) {}
        void OnPaint() override { form_.Repaint(); }
        void OnMouseDown(const MouseEvent& e) override { form_.MouseDown(form_.Logical(e)); }
        void OnMouseMove(const MouseEvent& e) override { form_.MouseMove(form_.Logical(e)); }
        void OnMouseUp(const MouseEvent& e) override { form_.MouseUp(form_.Logical(e)); }
        void OnMouseLeave() override { form_.OnMouseLeave(); }
        void OnKeyDown(int key, unsigned modifiers) override { form_.OnKeyDown(key, modifiers); }
        void OnCloseRequest() override { form_.OnCloseRequest(); }
        void OnSessionEnd() override {
            form_.App().SessionEnding();
            form_.OnCloseRequest();
        }
        void OnCaptureLost() override { form_.CaptureLost(); }
        void OnScaleWanted(int scale) override { form_.OnScaleWanted(scale); }

    private:
        Form& form_;
    };

    void MouseDown(const MouseEvent& e);
    void MouseMove(const MouseEvent& e);
    void MouseUp(const MouseEvent& e);
    void CaptureLost();

    bool CanvasAllocated() const;
    // Takes the new logical size; gives back the old canvas when it had
    // pixels, to be drawn into the new one once the window has its size.
    Bitmap Resize(int width, int height);
    MouseEvent Logical(const MouseEvent& e) const;
    Rect OnScreen(const Rect& area) const;
    Picture* PictureAt(int x, int y) const;
    static MouseEvent RelativeTo(const MouseEvent& e, const Picture* picture);
    enum class MouseAction { Down, Move, Up };
    void Deliver(Picture* target, const MouseEvent& e, MouseAction action);

    Application& app_;
    Bridge bridge_{*this};  // declared before the window, which reports to it
    std::unique_ptr<Window> window_;
    int width_ = 0, height_ = 0;  // logical
    Bitmap canvas_;               // width_ x height_ at its Scale; pixels made or lent when first drawn on
    std::vector<std::unique_ptr<Picture>> pictures_;
    bool created_ = false, destroyed_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
    // The mouse capture of a left press: who gets the events meanwhile
    // (nullptr: the form itself) and whether the press was on a picture
    // that a release may click.
    bool captured_ = false;
    Picture* mouseTarget_ = nullptr;
    Picture* pressed_ = nullptr;
};
