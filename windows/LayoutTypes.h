// LayoutTypes: the two value types the side windows' layout tables are
// written in, and the measures every side window shares. Standard library
// only, so the art generator and the preview can include the tables
// without the game's libraries.
#pragma once

namespace Layout {

// A rectangle as left, top, width and height in window pixels; right and
// bottom exclusive, as every rectangle of the game.
struct Area {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    constexpr int Right() const { return Left + Width; }
    constexpr int Bottom() const { return Top + Height; }
};

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
