// Application: form ownership, the main loop and the small services.
#include "forms/Application.h"

#include "forms/Form.h"
#include "util/AppDir.h"

Application::Application(Platform& platform) : platform_(platform) {}

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

std::string Application::AppDir() const { return ::AppDir(platform_.ProgramPath()); }

bool Application::OpenHelpContents() { return platform_.OpenHelp(HelpFile); }

void Application::ShowMessage(const std::string& text) { platform_.ShowMessage(Title, text); }
