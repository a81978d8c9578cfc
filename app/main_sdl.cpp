// The game on the Linux desktop: the SDL backend under the shared start-up.
#include <cstdio>
#include <exception>

#include "board/Startup.h"
#include "platform/sdl/SdlPlatform.h"

int main() {
    try {
        SdlPlatform platform;
        return RunQuorVex(platform);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorvex: %s\n", e.what());
        return 1;
    }
}
