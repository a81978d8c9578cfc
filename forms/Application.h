// Application: the object that owns every form for the whole run, knows
// the platform, the program's title and help file, and runs the main loop.
//
// Forms are created through CreateForm, which runs each form's creation
// hook; the first form created is the main form, and closing it ends the
// program. DestroyForms (also run by the destructor) destroys them in the
// reverse order, running each destruction hook while the form's window
// still exists, so a window can store where it stands.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "resources/ScaledPicture.h"

class Form;

class Application {
public:
    // The run starts drawing at `scale` (util/Scale.h).
    explicit Application(Platform& platform, int scale = 1);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The platform; it speaks in screen pixels.
    Platform& System() { return platform_; }
    // The screen and its work area in the logical pixels of the scale, for
    // windows that keep themselves on the screen by their logical size.
    Rect LogicalScreen() const;
    Rect LogicalWorkArea() const;

    // The drawing scale of the run (util/Scale.h), owned here and handed to
    // every form. SetScale redraws every window at the new one; each keeps
    // its top-left corner on the screen.
    int Scale() const { return pictures_.Scale(); }
    void SetScale(int scale);

    // The pictures every window draws with, at the scale of the run: the
    // one cache of them, emptied by a change of scale.
    PictureCache& Pictures() { return pictures_; }

    std::string Title;     // caption of the program's message boxes
    std::string HelpFile;  // the help document OpenHelpContents shows

    // Makes the form (T's constructor takes the Application first), runs
    // its creation hook and keeps it until DestroyForms.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& ref = *form;
        Adopt(std::move(form));
        return ref;
    }
    Form* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

    // Shows the main form and runs the main loop until Terminate.
    void Run();
    void Terminate() { platform_.Quit(); }
    void DestroyForms();

    // The folder of the program file, separator included (see util/AppDir.h).
    std::string AppDir() const;
    // Shows HelpFile; false when it could not be opened.
    bool OpenHelpContents();
    // A message box with one OK button and the program's title, its lines
    // wrapped to fit the work area. Once the session is ending it is
    // reported without a box: nobody may be there to close it.
    void ShowMessage(const std::string& text);
    // The session ends or the program was told to end from outside.
    void SessionEnding() { sessionEnding_ = true; }
    bool EndingUnattended() const { return sessionEnding_; }
    void SetCursor(CursorKind kind) { platform_.SetCursor(kind); }

private:
    void Adopt(std::unique_ptr<Form> form);

    Platform& platform_;
    PictureCache pictures_;
    std::vector<std::unique_ptr<Form>> forms_;  // in creation order
    bool sessionEnding_ = false;
};
