// Geometry: the rectangle type of windows and controls, and the inclusive
// hit test the side windows use for every button and choice area.
#pragma once

#include <cstdint>

// A rectangle as left, top, width and height; right and bottom exclusive.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool Empty() const { return Width <= 0 || Height <= 0; }
    bool Contains(int x, int y) const { return x >= Left && y >= Top && x < Right() && y < Bottom(); }
    bool operator==(const Rect&) const = default;
};

// The overlap of two rectangles; empty (zero size) when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);

// True exactly when left <= x <= left + width - 1 and top <= y <= top +
// height - 1. Computed in 64 bits, so extreme arguments cannot wrap.
bool PointInArea(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width, int32_t height);
