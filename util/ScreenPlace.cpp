#include "util/ScreenPlace.h"

#include <algorithm>

bool PlaceReachable(int left, int top, int screenWidth, int screenHeight) {
    // In 64 bits: a hand-edited place near INT_MAX must not wrap round.
    const long long right = static_cast<long long>(left) + ReachableCorner;
    const long long bottom = static_cast<long long>(top) + ReachableCorner;
    return left >= 0 && top >= 0 && right <= screenWidth && bottom <= screenHeight;
}

Rect KeptWithin(const Rect& place, const Rect& area) {
    Rect kept = place;
    // Off the right or bottom edge first, then the left and top win.
    kept.Left = std::max(area.Left, std::min(place.Left, area.Right() - place.Width));
    kept.Top = std::max(area.Top, std::min(place.Top, area.Bottom() - place.Height));
    return kept;
}

Rect DefaultPlace(int width, int height, const Rect& workArea) {
    const Rect centred{workArea.Left + (workArea.Width - width) / 2, workArea.Top + (workArea.Height - height) / 2,
                       width, height};
    return KeptWithin(centred, workArea);
}
