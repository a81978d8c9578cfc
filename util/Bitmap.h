// Bitmap: a 32-bit pixel buffer owned by the program. Every picture, the
// board's back buffer and each window's client surface is one of these;
// the blits and the backends work on them.
//
// Pixels are 0x00RRGGBB, rows top to bottom, no padding. The top byte is
// kept at 0 by everything that writes pixels, so raster operations on two
// bitmaps stay plain 32-bit AND / OR.
//
// Width, Height and At are in the bitmap's own pixels. Scale says how many
// of them make one logical pixel each way (util/Scale.h): a picture drawn
// for a 2x screen is twice as wide as its 1x twin, with Scale 2. The blits
// address bitmaps in logical coordinates.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

struct Bitmap {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    int Scale = 1;

    Bitmap() = default;
    // A black picture is zeroed as one block; another fill goes pixel by pixel.
    Bitmap(int width, int height, uint32_t fill = 0)
        : Width(width > 0 ? width : 0), Height(height > 0 ? height : 0),
          Pixels(static_cast<size_t>(Width) * static_cast<size_t>(Height)) {
        if (fill != 0) std::fill(Pixels.begin(), Pixels.end(), fill);
    }

    // A black picture of the given logical size at the scale, pixels made.
    static Bitmap Logical(int width, int height, int scale) {
        Bitmap b(width * scale, height * scale);
        b.Scale = scale;
        return b;
    }

    bool Empty() const { return Width == 0 || Height == 0; }
    int LogicalWidth() const { return Width / Scale; }
    int LogicalHeight() const { return Height / Scale; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }

    // Unchecked access; callers clip first.
    uint32_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
    uint32_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * static_cast<size_t>(Width) + static_cast<size_t>(x)]; }
};

inline constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
}
