// Compressed: inflating the 2x and 3x pictures (see Compressed.h).
#include "resources/Compressed.h"

#include <zlib.h>

#include <cstring>

namespace {

std::optional<std::vector<uint8_t>> Fail(std::string* error, const char* why)
{
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

std::optional<std::vector<uint8_t>> InflatePicture(std::span<const uint8_t> packedBytes, std::string* error)
{
    if (packedBytes.size() < packed::HeaderSize || std::memcmp(packedBytes.data(), packed::Magic, 4) != 0)
        return Fail(error, "not a compressed picture (no QVZ1 header)");
    const uint8_t* p = packedBytes.data() + 4;
    const uint32_t size = uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
    if (size == 0 || size > packed::MaxSize) return Fail(error, "compressed picture announces an impossible size");

    std::vector<uint8_t> out(size);
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return Fail(error, "zlib could not start");
    z.next_in = const_cast<Bytef*>(packedBytes.data() + packed::HeaderSize);
    z.avail_in = static_cast<uInt>(packedBytes.size() - packed::HeaderSize);
    z.next_out = out.data();
    z.avail_out = size;
    const int rc = inflate(&z, Z_FINISH);
    const bool whole = rc == Z_STREAM_END && z.avail_out == 0 && z.avail_in == 0;
    inflateEnd(&z);
    if (!whole) return Fail(error, rc == Z_STREAM_END ? "compressed picture is not the size it announces"
                                                      : "compressed picture is damaged or cut short");
    return out;
}
