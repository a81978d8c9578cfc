// StatsLayout: every coordinate of the statistics window: its size, the
// caption of the setting shown with the two arrows beside it, the ten
// number fields in two columns, the bar chart of won games by rows, and the
// clear and close buttons.
#pragma once

#include "windows/LayoutTypes.h"

namespace StatsLayout {

inline constexpr int Width = 340;
inline constexpr int Height = 364;

// The setting shown ("4 holes · 8 colors · single", ..., "All settings"),
// one caption of the caption strip, and the arrows that go through the
// thirteen.
inline constexpr Rect Caption{52, 46, 236, 24};
inline constexpr int CaptionCount = 13;
inline constexpr Rect Prev{18, 46, 30, 24};
inline constexpr Rect Next{292, 46, 30, 24};

// Five lines of numbers, a label and a field on each side.
inline constexpr int Lines = 5;
constexpr int LineTop(int line) { return 86 + 28 * line; }  // line 0..4: the digits' top
inline constexpr int LeftLabelX = 16, LeftLabelWidth = 84;
inline constexpr int RightLabelX = 170, RightLabelWidth = 96;

// Where a field's digits start and how many there are; the black field
// frames them with one pixel to spare. Counts have five digits.
struct Field {
    int X = 0, Line = 0, Chars = 0;
    constexpr Layout::Point Text() const { return {X, LineTop(Line)}; }
    constexpr Rect Area() const {
        return {X - 1, LineTop(Line) - 1, Chars * Layout::DigitWidth + 2, Layout::DigitHeight + 2};
    }
};
// Left: games played, won, lost, given up, won with a hint.
inline constexpr Field Played{104, 0, 5};
inline constexpr Field Won{104, 1, 5};
inline constexpr Field Lost{104, 2, 5};
inline constexpr Field GivenUp{104, 3, 5};
inline constexpr Field HintWon{104, 4, 5};
// Right, every field ending at x 326: the share won in per cent, the
// average rows of a won game in whole rows and tenths (a decimal point lit
// in the field between them), its average seconds, the current and the
// best run of wins.
inline constexpr Field Share{290, 0, 3};
inline constexpr Field RowsWhole{284, 1, 2};
inline constexpr Field RowsTenth{314, 1, 1};
inline constexpr Rect RowsPoint{308, LineTop(1), 6, Layout::DigitHeight};  // between the two
inline constexpr Field Seconds{290, 2, 3};
inline constexpr Field CurrentRun{266, 3, 5};
inline constexpr Field BestRun{266, 4, 5};

// The chart: won games by the rows they took, 1 to 12, each bar as high as
// its share of the tallest. Bars stand on BarBase and reach BarTop at most;
// the chart's title lies above them.
inline constexpr Rect ChartFrame{16, 230, 308, 94};
inline constexpr int BarTop = 250;
inline constexpr int BarBase = 302;
inline constexpr int BarHeight = BarBase - BarTop;  // the tallest bar
inline constexpr int BarWidth = 15;
inline constexpr int BarPitch = 25;
constexpr int BarLeft(int rows) { return 25 + BarPitch * (rows - 1); }  // rows 1..12
// The bars' whole area, restored from the empty chart before bars are drawn.
inline constexpr Rect Bars{BarLeft(1), BarTop, BarLeft(12) + BarWidth - BarLeft(1), BarHeight};
inline constexpr int BarLabelY = 312;  // the rows under each bar: their centre line

// Clear asks first: one press lights it as a question ("Sure?"), a second
// press within ArmedMs clears.
inline constexpr Rect Clear{16, 330, 96, 26};
inline constexpr int ArmedMs = 4000;
inline constexpr Rect Exit{256, 330, 68, 26};

}  // namespace StatsLayout
