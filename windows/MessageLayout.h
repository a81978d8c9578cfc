// MessageLayout: every coordinate of the message window: its size, the
// plate every message picture is copied onto, and the lit Ok.
#pragma once

#include "windows/LayoutTypes.h"

namespace MessageLayout {

inline constexpr int Width = 360;
inline constexpr int Height = 120;

// Each of the five message pictures covers exactly this plate.
inline constexpr Rect Plate{49, 23, 262, 58};
inline constexpr Rect Exit{316, 87, 34, 29};

}  // namespace MessageLayout
