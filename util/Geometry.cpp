// Geometry helpers.
#include "util/Geometry.h"

#include <algorithm>

Rect Intersect(const Rect& a, const Rect& b) {
    const int left = std::max(a.Left, b.Left);
    const int top = std::max(a.Top, b.Top);
    const int right = std::min(a.Right(), b.Right());
    const int bottom = std::min(a.Bottom(), b.Bottom());
    if (right <= left || bottom <= top) return Rect{left, top, 0, 0};
    return Rect{left, top, right - left, bottom - top};
}

bool PointInArea(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width, int32_t height) {
    const int64_t x64 = x, y64 = y, l = left, t = top;
    return l <= x64 && x64 <= l + width - 1 && t <= y64 && y64 <= t + height - 1;
}
