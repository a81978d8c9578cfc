// Decoding of the BMP pictures the program carries as resources.
//
// Only the formats the artwork uses are accepted: uncompressed 24-bit, and
// 4-bit or 8-bit with a palette, bottom-up or top-down. Anything else, and
// any file whose headers disagree with its length, is rejected with a
// reason instead of being read past its end.
//
// The file is read front to back, once, through a BmpSource: from memory in
// place, or from a decompressor that makes it a row at a time. Each row goes
// straight into the picture's 32-bit pixels, so no whole copy of the file is
// ever needed besides the picture itself.
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

// A BMP file handed out front to back.
class BmpSource {
public:
    virtual ~BmpSource() = default;
    // The next `count` bytes of the file, valid until the next call; nullptr
    // when the file has fewer left (or cannot be read).
    virtual const uint8_t* Next(size_t count) = 0;
    // Passes over the next `count` bytes; false when the file has fewer.
    virtual bool Skip(size_t count);
};

// The file `size` bytes long that `source` hands out, decoded; or nothing,
// with *error (when given) saying why. Reads no further than the last row.
std::optional<BmpImage> DecodeBmp(BmpSource& source, size_t size, std::string* error = nullptr);

// The same for a file in memory.
std::optional<BmpImage> DecodeBmp(const uint8_t* data, size_t size, std::string* error = nullptr);

// The same, decoded straight into the top-left corner of `into`, which must
// be at least the picture's size (pixels beyond it are left as they are);
// gives the file's bits per pixel. A caller that keeps the picture in a
// larger bitmap (a back buffer) saves making and copying one of its own.
// On a failure part of `into` may already be overwritten.
std::optional<int> DecodeBmpInto(BmpSource& source, size_t size, Bitmap& into, std::string* error = nullptr);
std::optional<int> DecodeBmpInto(const uint8_t* data, size_t size, Bitmap& into, std::string* error = nullptr);
