// OptionsLayout: every coordinate of the options window: its size, the
// seven choice areas (each exactly the bounds of its mark picture) and the
// two buttons.
#pragma once

#include <array>

#include "windows/LayoutTypes.h"

namespace OptionsLayout {

inline constexpr int Width = 272;
inline constexpr int Height = 160;

struct Choice {
    const char* Name;    // the mark picture
    const char* Text;    // what the choice reads
    Rect Area;
};

// In the order a press tests them: the two code lengths, the three colour
// counts, repeats allowed and not. The areas do not overlap.
enum ChoiceIndex { Choice4, Choice5, Choice6, Choice8, Choice10, ChoiceYes, ChoiceNo, ChoiceCount };
inline constexpr std::array<Choice, ChoiceCount> Choices{{
    {"img4", "4", {154, 20, 17, 21}},
    {"img5", "5", {193, 20, 16, 21}},
    {"img6", "6", {133, 52, 14, 22}},
    {"img8", "8", {171, 52, 15, 22}},
    {"img10", "10", {213, 52, 26, 22}},
    {"imgYes", "Yes", {140, 84, 37, 21}},
    {"imgNo", "No", {200, 84, 32, 22}},
}};

inline constexpr Rect Ok{146, 127, 29, 22};
inline constexpr Rect Cancel{192, 127, 66, 22};

}  // namespace OptionsLayout
