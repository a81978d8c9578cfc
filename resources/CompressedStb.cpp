// Compressed: inflating the 2x and 3x pictures with the zlib decoder of
// stb_image, for the browser build (see Compressed.h). Debian's emscripten
// cannot build its zlib port offline, and it ships stb_image in its
// third_party folder, which holds a complete inflater.
#include "resources/Compressed.h"

#include <cstring>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_SIMD
#include "stb_image.h"

namespace {

// The BMP file inside a compressed picture, inflated whole.
std::optional<std::vector<uint8_t>> InflatePicture(std::span<const uint8_t> packedBytes, std::string* error)
{
    auto fail = [error](const char* why) -> std::optional<std::vector<uint8_t>> {
        if (error) *error = why;
        return std::nullopt;
    };
    const uint32_t size = packed::AnnouncedSize(packedBytes, error);
    if (size == 0) return std::nullopt;
    // One byte more than announced, so a stream that runs longer is seen.
    std::vector<uint8_t> out(size_t(size) + 1);
    const int got = stbi_zlib_decode_buffer(reinterpret_cast<char*>(out.data()), int(out.size()),
                                            reinterpret_cast<const char*>(packedBytes.data() + packed::HeaderSize),
                                            int(packedBytes.size() - packed::HeaderSize));
    if (got < 0) return fail("compressed picture is damaged or cut short");
    if (uint32_t(got) != size) return fail("compressed picture is not the size it announces");
    out.resize(size);
    return out;
}

}  // namespace

// The browser has no streaming inflater here: the BMP file is inflated
// whole, then decoded.
std::optional<BmpImage> DecodePackedPicture(std::span<const uint8_t> packedBytes, std::string* error)
{
    const auto file = InflatePicture(packedBytes, error);
    if (!file) return std::nullopt;
    return DecodeBmp(file->data(), file->size(), error);
}

std::optional<int> DecodePackedPictureInto(std::span<const uint8_t> packedBytes, Bitmap& into, std::string* error)
{
    const auto file = InflatePicture(packedBytes, error);
    if (!file) return std::nullopt;
    return DecodeBmpInto(file->data(), file->size(), into, error);
}
