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

// The words of each message picture, by message kind: a heading (or none)
// and one or two lines, split where a reader pauses. The art generator
// letters them; a screen reader is told them.
struct Words {
    const char* Picture;
    const char* Heading;
    const char* Lines[2];
};
inline constexpr Words Messages[5] = {
    {"imgWin", "Congratulations!", {"You win.", ""}},
    {"imgHigh", "Congratulations!", {"You made a new high score.", ""}},
    {"imgLost", "Sorry, you lost!", {"Try again.", ""}},
    {"imgFill", "", {"You must fill all the spaces", "before evaluation."}},
    {"imgStart", "", {"Start a new game first.", ""}},
};

}  // namespace MessageLayout
