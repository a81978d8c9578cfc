// Decoding of the BMP pictures the program carries as resources.
//
// Only the formats the artwork uses are accepted: uncompressed 24-bit, and
// 4-bit or 8-bit with a palette, bottom-up or top-down. Anything else, and
// any file whose headers disagree with its length, is rejected with a
// reason instead of being read past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "util/Bitmap.h"

struct BmpImage {
    Bitmap Picture;           // decoded to 0x00RRGGBB
    int BitsPerPixel = 0;     // as stored in the file: 4, 8 or 24
};

// Returns the decoded picture, or nothing with *error (when given) saying why.
std::optional<BmpImage> DecodeBmp(const uint8_t* data, size_t size, std::string* error = nullptr);
