// Geometry: the one rectangle type of the game (windows, controls, the
// board's geometry table, the side windows' layout tables and the art
// generator), and the inclusive hit test the side windows use for every
// button and choice area.
//
// Standard library only, and the rectangle is a literal type: the layout
// tables are compile-time constants, and the art generator includes them
// without the game's libraries.
#pragma once

#include <cstdint>

// A rectangle as left, top, width and height; right and bottom exclusive.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    constexpr int Right() const { return Left + Width; }
    constexpr int Bottom() const { return Top + Height; }
    constexpr bool Empty() const { return Width <= 0 || Height <= 0; }
    constexpr bool Contains(int x, int y) const { return x >= Left && y >= Top && x < Right() && y < Bottom(); }
    // The rectangle shrunk by d on every side (grown when d is negative).
    constexpr Rect Inset(int d) const { return {Left + d, Top + d, Width - 2 * d, Height - 2 * d}; }
    constexpr bool operator==(const Rect&) const = default;
};

// The overlap of two rectangles; empty (zero size) when they do not meet.
Rect Intersect(const Rect& a, const Rect& b);

// True exactly when left <= x <= left + width - 1 and top <= y <= top +
// height - 1. Computed in 64 bits, so extreme arguments cannot wrap.
bool PointInArea(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width, int32_t height);
