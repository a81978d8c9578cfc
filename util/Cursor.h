// Cursor pictures: the closed-hand cursor the program carries as a .cur
// file, decoded into pixels and a shape every backend can turn into its
// own cursor.
//
// Only what the program's cursor uses is accepted: a .cur holding one
// uncompressed 1-bit (two-colour) image with its AND mask. Malformed or
// truncated files are rejected with a reason, never read past their end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "util/Bitmap.h"
#include "util/Region.h"

// The pixels of Picture where Shape holds are drawn, the rest is
// transparent; the hot spot is the pointer's tip.
struct CursorImage {
    Bitmap Picture;
    Region Shape;
    int HotX = 0, HotY = 0;
};

// Pixels whose AND bit is set are transparent. A set AND bit together with
// a set XOR bit would invert the screen below; no backend can show that in
// a colour cursor, so such pixels are transparent too.
std::optional<CursorImage> DecodeCur(const uint8_t* data, size_t size, std::string* error = nullptr);
