#include "util/ScreenPlace.h"

bool PlaceReachable(int left, int top, int screenWidth, int screenHeight) {
    // In 64 bits: a hand-edited place near INT_MAX must not wrap round.
    const long long right = static_cast<long long>(left) + ReachableCorner;
    const long long bottom = static_cast<long long>(top) + ReachableCorner;
    return left >= 0 && top >= 0 && right <= screenWidth && bottom <= screenHeight;
}
