// InflateWhole: a compressed picture's BMP file inflated in one piece by
// zlib itself, its check value tested: what the tests hold the program's
// streamed decoding against, and how they read a PNG's image data.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resources/Compressed.h"

inline std::optional<std::vector<uint8_t>> InflateWhole(std::span<const uint8_t> packedBytes,
                                                        std::string* error = nullptr) {
    auto fail = [error](const char* why) -> std::optional<std::vector<uint8_t>> {
        if (error) *error = why;
        return std::nullopt;
    };
    if (packedBytes.size() < packed::HeaderSize || std::memcmp(packedBytes.data(), packed::Magic, 4) != 0)
        return fail("not a compressed picture (no QVZ1 header)");
    const uint8_t* p = packedBytes.data() + 4;
    const uint32_t size = uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
    if (size == 0 || size > packed::MaxSize) return fail("compressed picture announces an impossible size");
    // One byte more than announced, so a stream that runs longer is seen.
    std::vector<uint8_t> out(size_t(size) + 1);
    uLongf got = uLongf(out.size());
    uLong used = uLong(packedBytes.size() - packed::HeaderSize);
    const int rc = uncompress2(out.data(), &got, packedBytes.data() + packed::HeaderSize, &used);
    if (rc != Z_OK) return fail("compressed picture is damaged or cut short");
    if (got != size || used != packedBytes.size() - packed::HeaderSize)
        return fail("compressed picture is not the size it announces");
    out.resize(size);
    return out;
}
