// Win32Platform: the Windows desktop backend, user32 and gdi32.
//
// Windows are borderless popups of one window class; the message loop is
// the program's own, also for modal windows, so it decides which window
// takes input: while a modal loop runs, mouse input for any other window is
// dropped and keys go to the modal window, while timers tick and every
// window paints. Timers are system timers of a hidden message window, so
// they fire on the one thread between other messages. The closed hand is
// the cursor "FIST" and the icon the first icon of the executable's own
// resources; the store is the registry of the current user.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

class Win32Window;

class Win32Platform final : public Platform {
public:
    static constexpr const wchar_t* WindowClass = L"QuorVexWindow";

    // Registers the window classes; throws std::runtime_error when it cannot.
    Win32Platform();
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    std::unique_ptr<Window> OpenWindow(WindowEvents& events) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int ScreenBitsPerPixel() const override;
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override;
    void Run() override;
    void Quit() override { quit_ = true; }
    bool RunModal(Window& modal, const std::function<bool()>& finished) override;
    TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
    void StopTimer(TimerId id) override;
    void ShowMessage(const std::string& title, const std::string& text) override;
    bool OpenHelp(const std::string& path) override;
    std::string ProgramPath() const override;
    std::unique_ptr<Store> OpenStore() override;

    // Tells the user why the program cannot start; there is no console to
    // read an error from.
    static void ShowStartFailure(const std::string& text);

    // Runs the timer's tick; the hidden timer window calls it.
    void Tick(TimerId id);

private:
    friend class Win32Window;

    // Runs messages until finished() holds (true) or the program quits (false).
    bool Loop(const std::function<bool()>& finished);
    // False for input aimed at a window behind the running modal one.
    bool Accepts(void* hwnd) const;
    void Forget(Win32Window* window);
    void ShowCurrentCursor() const;

    bool quit_ = false;
    bool firstWindow_ = true;
    std::vector<Win32Window*> windows_;
    std::vector<Win32Window*> modal_;
    Win32Window* capture_ = nullptr;

    std::map<CursorKind, void*> cursors_;  // HCURSORs of the executable, never destroyed
    CursorKind cursor_ = CursorKind::Default;

    void* timerWindow_ = nullptr;  // HWND of the hidden window the timers report to
    TimerId nextTimer_ = 1;
    std::map<TimerId, std::function<void()>> timers_;
};
