// CombsLayout: every coordinate of the combinations window: its size and
// the one display field with the count drawn into it.
#pragma once

#include "windows/LayoutTypes.h"

namespace CombsLayout {

inline constexpr int Width = 111;
inline constexpr int Height = 53;

// The black field of the skin (x 16..90, y 16..36 inclusive).
inline constexpr Rect CountField{16, 16, 75, 21};

// Six characters: the largest count, 100000, fills them all.
inline constexpr Layout::Point CountText{17, 17};
inline constexpr int CountChars = 6;

}  // namespace CombsLayout
