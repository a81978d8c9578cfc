// TimerLayout: every coordinate of the timer window. The skin's two black
// display fields frame the texts drawn into them, one pixel to spare.
#pragma once

#include "windows/LayoutTypes.h"

namespace TimerLayout {

inline constexpr int Width = 164;
inline constexpr int Height = 53;

// The black fields of the skin (x 16..54 and 73..147, y 16..36 inclusive).
inline constexpr Rect TimeField{16, 16, 39, 21};
inline constexpr Rect RecordField{73, 16, 75, 21};

// The seconds, three characters, and the record, six ("12/999").
inline constexpr Layout::Point TimeText{17, 17};
inline constexpr int TimeChars = 3;
inline constexpr Layout::Point RecordText{74, 17};
inline constexpr int RecordChars = 6;

}  // namespace TimerLayout
