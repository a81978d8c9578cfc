// Application: form ownership, the main loop and the small services.
#include "forms/Application.h"

#include "forms/Form.h"

#include <cstdint>
#include "util/AppDir.h"
#include "util/TextWrap.h"
#include "util/Scale.h"

Application::Application(Platform& platform, int scale) : platform_(platform), pictures_(ClampScale(scale)) {
    platform_.DrawingScaleChanged(Scale());
}

Application::~Application() { DestroyForms(); }

void Application::Adopt(std::unique_ptr<Form> form) {
    forms_.push_back(std::move(form));
    forms_.back()->Create();
}

void Application::Run() {
    if (Form* main = MainForm()) main->Show();
    platform_.Run();
}

void Application::DestroyForms() {
    // Every hook runs before any form is freed: a destruction hook may
    // still look at another window.
    for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) (*it)->Destroy();
    while (!forms_.empty()) forms_.pop_back();
}

namespace {
Rect Logical(const Rect& a, int s) {
    return Rect{FloorDiv(a.Left + s - 1, s), FloorDiv(a.Top + s - 1, s), a.Width / s, a.Height / s};
}
}  // namespace

Rect Application::LogicalScreen() const {
    return Logical(Rect{0, 0, platform_.ScreenWidth(), platform_.ScreenHeight()}, Scale());
}

Rect Application::LogicalWorkArea() const { return Logical(platform_.WorkArea(), Scale()); }

void Application::SetScale(int scale) {
    const int old = Scale();
    const int now = ClampScale(scale);
    if (now == old) return;
    // Every picture of the old scale goes; each is decoded at the new one
    // when next drawn.
    pictures_.SetScale(now);
    platform_.DrawingScaleChanged(now);
    if (forms_.empty()) return;
    // The main window keeps its top-left corner on the screen; every other
    // window keeps its place beside it, at the new scale: a window that
    // touched the board's edge still does.
    const Rect main = forms_.front()->PlatformWindow().Bounds();
    for (auto& form : forms_) {
        const Rect at = form->PlatformWindow().Bounds();
        const int left = main.Left + int((int64_t{at.Left} - main.Left) * now / old);
        const int top = main.Top + int((int64_t{at.Top} - main.Top) * now / old);
        form->Rescale(left, top);
    }
}

std::string Application::AppDir() const { return ::AppDir(platform_.ProgramPath()); }

bool Application::OpenHelpContents() { return platform_.OpenHelp(HelpFile); }

void Application::ShowMessage(const std::string& text) {
    if (sessionEnding_) return platform_.ReportUnattended(Title, text);
    platform_.ShowMessage(Title, WrapText(text, MessageColumns(platform_.WorkArea().Width)));
}
