// BoardPalette: the colours of the board art in one place, so the balls,
// pegs, metals and the board's blue are tuned together (and the colour
// weakness check reads the same ball colours the pictures use).
#pragma once

#include <array>
#include <cstdint>

namespace board {

// The ten ball colours in the game's order: red, yellow, green, blue, grey,
// violet, orange, teal, brown, olive green. Chosen so that neighbours in
// hue also differ in lightness, which is what a red-green weak eye keeps.
constexpr std::array<uint32_t, 10> BallColors{
    0xD81E28,  // red
    0xF8DA30,  // yellow
    0x2FB04A,  // green
    0x2458E0,  // blue
    0xA4A8AE,  // grey
    0x8E3ED0,  // violet
    0xFF8A1C,  // orange
    0x18B4AC,  // teal
    0x74401C,  // brown
    0x7C8A22,  // olive green
};
constexpr std::array<const char*, 10> BallNames{"red",    "yellow", "green", "blue",  "grey",
                                                "violet", "orange", "teal",  "brown", "olive green"};

constexpr uint32_t BoardLight = 0x1E52B8;  // the board's blue where the light falls
constexpr uint32_t BoardDark = 0x0A2266;   // ... and in the far corner
constexpr uint32_t Outside = 0x040A1C;     // pixels the window shape cuts away
constexpr uint32_t HoleFloor = 0x020308;

constexpr uint32_t SteelLight = 0xC9CED8;
constexpr uint32_t SteelDark = 0x474D58;
constexpr uint32_t CopperLight = 0xF7B27A;
constexpr uint32_t CopperDark = 0x8A3C12;

constexpr uint32_t PegRed = 0xE82420;
constexpr uint32_t PegWhite = 0xF4F4F2;

constexpr uint32_t LedLit = 0xFFB428;  // digit segments

}  // namespace board
