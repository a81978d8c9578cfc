#include "platform/web/PagePlace.h"

#include <algorithm>

namespace {

// One axis: a start of `size` within [0, room).
int Within(int start, int size, int room) {
    const int low = std::min(0, room - size), high = std::max(0, room - size);
    return std::clamp(start, low, high);
}

}  // namespace

Rect KeepWithinPage(const Rect& bounds, int pageWidth, int pageHeight) {
    if (pageWidth <= 0 || pageHeight <= 0) return bounds;  // no page laid out yet
    Rect r = bounds;
    r.Left = Within(bounds.Left, bounds.Width, pageWidth);
    r.Top = Within(bounds.Top, bounds.Height, pageHeight);
    return r;
}
