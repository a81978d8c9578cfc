// The game on the Windows desktop: the Win32 backend under the shared
// start-up. A GUI program has no console, so a failure to start is said in
// a message box.
#include <exception>
#include <string>

#include "board/Startup.h"
#include "platform/win32/Win32Platform.h"

int main() {
    try {
        Win32Platform platform;
        return RunQuorVex(platform);
    } catch (const std::exception& e) {
        Win32Platform::ShowStartFailure(std::string("QuorVex cannot start: ") + e.what());
        return 1;
    }
}
