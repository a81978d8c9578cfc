// LayoutTypes: the point type the side windows' layout tables are written
// in beside the game's Rect, and the measures every side window shares.
// Standard library only, so the art generator and the preview can include
// the tables without the game's libraries.
#pragma once

#include "util/Geometry.h"  // Rect, in window pixels here; standard library only as well

namespace Layout {

struct Point {
    int X = 0, Y = 0;
};

// The rounded windows are cut with 24 x 24 corner ellipses.
inline constexpr int CornerEllipse = 24;

// One glyph cell of the digit strip; a text of n characters covers
// n * DigitWidth x DigitHeight pixels from its top-left point.
inline constexpr int DigitWidth = 12;
inline constexpr int DigitHeight = 19;

}  // namespace Layout
