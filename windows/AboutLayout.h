// AboutLayout: every coordinate of the about window: its size and the lit
// Exit.
#pragma once

#include "windows/LayoutTypes.h"

namespace AboutLayout {

inline constexpr int Width = 360;
inline constexpr int Height = 440;

inline constexpr Rect Exit{312, 407, 40, 26};

}  // namespace AboutLayout
