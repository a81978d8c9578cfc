// CursorImage: a two-colour cursor file (.cur, like the closed hand "FIST")
// decoded into what every backend's cursor call takes: the size, the hot
// spot and, per pixel, black, white, see-through or inverted.
//
// Only what the program carries is accepted: the first image of the file,
// 1 bit per pixel, uncompressed. Any file whose headers disagree with its
// length is rejected with a reason rather than read past its end.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct CursorImage {
    enum class Dot : uint8_t { Clear, Black, White, Invert };

    int Width = 0;
    int Height = 0;
    int HotX = 0;
    int HotY = 0;
    std::vector<Dot> Dots;  // rows top to bottom

    Dot At(int x, int y) const { return Dots[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
};

std::optional<CursorImage> DecodeCursor(std::span<const uint8_t> file, std::string* error = nullptr);
