// Win32Platform: the Windows desktop backend, user32 and gdi32.
//
// Windows are borderless popups of one window class. The backend only
// translates: each window procedure hands what the system reported to the
// EventRouter, which decides where it goes (modal windows, capture, double
// clicks, leaves) and runs the loops and the timers. The wait for the next
// message is bounded by a system timer of a hidden message window, whose
// tick also runs the due timers while the system runs a loop of its own (a
// message box). The closed hand is the cursor "FIST" and the icon the first
// icon of the executable's own resources; the store is the registry of the
// current user.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventRouter.h"

class Win32Window;

class Win32Platform final : public RoutedPlatform {
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
    Rect WorkArea() const override;
    int ScreenBitsPerPixel() const override;
    int PreferredScale() const override;
    void DefineCursor(CursorKind kind, const CursorImage& image) override;
    void SetCursor(CursorKind kind) override;
    void ShowMessage(const std::string& title, const std::string& text) override;
    void ReportUnattended(const std::string& title, const std::string& text) override;
    bool OpenHelp(const std::string& path) override;
    std::string ProgramPath() const override;
    std::unique_ptr<Store> OpenStore() override;

    // Tells the user why the program cannot start; there is no console to
    // read an error from.
    static void ShowStartFailure(const std::string& text);

    uint64_t NowMs() const override;
    bool WaitForEvents(int timeoutMs) override;

private:
    friend class Win32Window;

    void ShowCurrentCursor() const;
    // HWND of the router's main window, the board: it owns every later one.
    void* Owner() const;

    std::map<CursorKind, void*> cursors_;  // HCURSORs of the executable, never destroyed
    CursorKind cursor_ = CursorKind::Default;

    void* timerWindow_ = nullptr;  // HWND of the hidden window whose timer ends each wait
};
