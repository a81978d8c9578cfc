#include "util/ScreenPlace.h"

#include <algorithm>

bool PlaceReachable(const Rect& place, const Rect& workArea) {
    // In 64 bits: a hand-edited place near INT_MAX must not wrap round.
    const long long left = std::max<long long>(place.Left, workArea.Left);
    const long long top = std::max<long long>(place.Top, workArea.Top);
    const long long right = std::min<long long>(static_cast<long long>(place.Left) + place.Width,
                                                static_cast<long long>(workArea.Left) + workArea.Width);
    const long long bottom = std::min<long long>(static_cast<long long>(place.Top) + place.Height,
                                                 static_cast<long long>(workArea.Top) + workArea.Height);
    return right - left >= ReachablePart && bottom - top >= ReachablePart;
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
