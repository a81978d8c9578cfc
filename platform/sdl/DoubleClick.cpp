// DoubleClick: pairing presses into double clicks.
#include "platform/sdl/DoubleClick.h"

#include <cstdlib>

int DoubleClickTracker::Press(uintptr_t window, bool left, uint32_t ms, int x, int y) {
    if (!left) {
        armed_ = false;
        return 1;
    }
    // Unsigned subtraction keeps the interval right across a wrapping clock.
    const bool pair = armed_ && window == window_ && uint32_t(ms - ms_) <= MaxIntervalMs &&
                      std::abs(x - x_) <= MaxDistance && std::abs(y - y_) <= MaxDistance;
    armed_ = !pair;
    window_ = window, ms_ = ms, x_ = x, y_ = y;
    return pair ? 2 : 1;
}
