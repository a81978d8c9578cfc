// BoardPalette: the colours of the board art in one place, so the balls,
// pegs, metals and the board's blue are tuned together (and the colour
// weakness check reads the same ball colours the pictures use).
#pragma once

#include <array>
#include <cstdint>

namespace board {

// The ten ball colours in the game's order (their names: game/ColourNames.h). Tuned against simulated
// protanopia and deuteranopia (Machado 2009, full severity): where two
// colours meet for a red-green weak eye they still differ in lightness or
// along blue-yellow, e.g. the violet is dark so it never passes for the
// blue, the brown darker still.
constexpr std::array<uint32_t, 10> BallColors{
    0xF02010,  // red
    0xFFF036,  // yellow
    0x48C073,  // green
    0x2B63FF,  // blue
    0xB0B0B4,  // grey
    0x6A2590,  // violet
    0xFF7A02,  // orange
    0x0A9987,  // teal
    0x4A2400,  // brown
    0x647E4C,  // olive green
};

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
