// DoubleClick: tells the second press of a double click from a single one,
// the way the program's windows expect it from every desktop: two left
// presses on the same window, close in time and place, make a pair; a third
// press starts over as a single click.
#pragma once

#include <cstdint>

class DoubleClickTracker {
public:
    static constexpr uint32_t MaxIntervalMs = 500;  // the usual desktop default
    static constexpr int MaxDistance = 2;           // pixels either way, as on Windows

    // A press of the left button (`left`) on `window` at time `ms` (any
    // clock that counts milliseconds and may wrap), at screen point (x, y).
    // Returns 2 for the second press of a double click, otherwise 1.
    int Press(uintptr_t window, bool left, uint32_t ms, int x, int y);

private:
    bool armed_ = false;  // the last press was a first click
    uintptr_t window_ = 0;
    uint32_t ms_ = 0;
    int x_ = 0, y_ = 0;
};
