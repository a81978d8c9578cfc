// ColourNames: what the ten ball colours are called, in the game's order
// (colour 1 is red), as the help names them and as the game tells a
// screen reader what the board shows.
#pragma once

#include <array>
#include <cstdint>

constexpr std::array<const char*, 10> ColourNames{"red",    "yellow", "green", "blue",  "grey",
                                                  "violet", "orange", "teal",  "brown", "olive green"};

// The name of colour 1..10; "empty" for 0 and anything else.
constexpr const char* ColourName(uint8_t colour) {
    return colour >= 1 && colour <= ColourNames.size() ? ColourNames[colour - 1] : "empty";
}
