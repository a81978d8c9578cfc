// HighLayout: every coordinate of the high-score window: its size, the two
// buttons and the twelve record cells (four columns: 4 and 5 holes without
// repeats, then with; three rows: 6, 8 and 10 colours).
#pragma once

#include "windows/LayoutTypes.h"

namespace HighLayout {

inline constexpr int Width = 428;
inline constexpr int Height = 214;

inline constexpr Rect Exit{372, 178, 33, 28};
inline constexpr Rect Reset{28, 181, 124, 26};
// Opens the statistics window.
inline constexpr Rect Stats{200, 181, 110, 26};

inline constexpr int Columns = 4;
inline constexpr int Rows = 3;
// A cell's hit rectangle from its origin; the twelve touch but do not overlap.
inline constexpr int CellWidth = 91;
inline constexpr int CellHeight = 35;
// Every cell text has six characters ("12/999", or six blanks).
inline constexpr int CellChars = 6;

// Column 0..3 and row 0..2.
constexpr Layout::Point CellOriginAt(int column, int row) { return {61 + CellWidth * column, 67 + CellHeight * row}; }
constexpr int CellColumn(int spaces, bool doubles) { return (spaces - 4) + 2 * (doubles ? 1 : 0); }
constexpr int CellRow(int colors) { return colors / 2 - 3; }

// The cell of the record for these settings.
constexpr Layout::Point CellOrigin(int spaces, int colors, bool doubles) {
    return CellOriginAt(CellColumn(spaces, doubles), CellRow(colors));
}
constexpr Rect CellArea(int spaces, int colors, bool doubles) {
    const Layout::Point o = CellOrigin(spaces, colors, doubles);
    return {o.X, o.Y, CellWidth, CellHeight};
}

}  // namespace HighLayout
