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
    const uint32_t size = packed::AnnouncedSize(packedBytes, error);
    if (size == 0) return std::nullopt;
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
