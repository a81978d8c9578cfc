// Compressed: the form the 2x and 3x pictures are embedded in.
//
// Pictures drawn at 2x and 3x hold four and nine times the pixels of the
// 1x set; embedded as they are they would make the program several times
// larger. They are stored as "<name>.bmp.z": an eight-byte header (the
// magic "QVZ1", then the size of the BMP file as a little-endian 32-bit
// number) and the BMP file compressed as one zlib stream. zlib inflates
// them at tens of megabytes a second, and the art's grain leaves little
// for a format of our own to gain. The board, which every start-up draws
// whole before its first frame, is stored in the stream uncompressed
// (level 0): inflating it is a copy. The 1x pictures stay plain BMP, read
// in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "util/Bmp.h"

namespace packed {

inline constexpr char Magic[4] = {'Q', 'V', 'Z', '1'};
inline constexpr std::size_t HeaderSize = 8;
// The largest BMP file a header may announce: a 3x board is about 2 MB;
// anything far beyond is a damaged file, not a picture to allocate for.
inline constexpr uint32_t MaxSize = 64u << 20;
// The file suffix of a compressed picture, after ".bmp".
inline constexpr const char* Suffix = ".z";

// The size of the BMP file a compressed picture announces, or 0 (with
// *error saying why) when its header is wrong or the size impossible.
inline uint32_t AnnouncedSize(std::span<const uint8_t> packedBytes, std::string* error = nullptr) {
    auto fail = [error](const char* why) {
        if (error) *error = why;
        return uint32_t{0};
    };
    if (packedBytes.size() < HeaderSize || std::memcmp(packedBytes.data(), Magic, 4) != 0)
        return fail("not a compressed picture (no QVZ1 header)");
    const uint8_t* p = packedBytes.data() + 4;
    const uint32_t size = uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
    if (size == 0 || size > MaxSize) return fail("compressed picture announces an impossible size");
    return size;
}

}  // namespace packed

// The picture inside a compressed picture, decoded as it is inflated, a
// slice of rows at a time straight into the picture's pixels, so the BMP
// file is never whole in memory. Refused when the stream is damaged in its
// structure or is not the length announced, and when the BMP inside does
// not decode. The stream's check value is skipped: the program's own
// read-only pictures need none, and it costs a fifth of the time.
std::optional<BmpImage> DecodePackedPicture(std::span<const uint8_t> packedBytes, std::string* error = nullptr);
// The same, decoded straight into the top-left corner of `into` (see
// DecodeBmpInto); gives the BMP's bits per pixel.
std::optional<int> DecodePackedPictureInto(std::span<const uint8_t> packedBytes, Bitmap& into,
                                           std::string* error = nullptr);
