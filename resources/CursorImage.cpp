// CursorImage: decoding of a two-colour .cur file (see CursorImage.h).
#include "resources/CursorImage.h"

namespace {

uint32_t U16(std::span<const uint8_t> b, size_t at) { return b[at] | (uint32_t{b[at + 1]} << 8); }
uint32_t U32(std::span<const uint8_t> b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

std::optional<CursorImage> Fail(std::string* error, const char* why)
{
    if (error) *error = why;
    return std::nullopt;
}

}  // namespace

std::optional<CursorImage> DecodeCursor(std::span<const uint8_t> file, std::string* error)
{
    if (file.size() < 6 + 16) return Fail(error, "too short for a cursor directory");
    if (U16(file, 0) != 0 || U16(file, 2) != 2) return Fail(error, "not a cursor file");
    if (U16(file, 4) < 1) return Fail(error, "no image in the cursor file");
    CursorImage img;
    img.Width = file[6] ? file[6] : 256;
    img.Height = file[7] ? file[7] : 256;
    img.HotX = static_cast<int>(U16(file, 10));
    img.HotY = static_cast<int>(U16(file, 12));
    const uint64_t size = U32(file, 14), offset = U32(file, 18);
    if (offset + size > file.size()) return Fail(error, "image lies beyond the end of the file");
    if (img.HotX >= img.Width || img.HotY >= img.Height) return Fail(error, "hot spot outside the cursor");
    const auto image = file.subspan(static_cast<size_t>(offset), static_cast<size_t>(size));
    if (image.size() < 40) return Fail(error, "image too short for its header");
    const uint32_t headerSize = U32(image, 0);
    if (headerSize < 40 || headerSize > image.size()) return Fail(error, "bad image header size");
    if (static_cast<int32_t>(U32(image, 4)) != img.Width || static_cast<int32_t>(U32(image, 8)) != 2 * img.Height)
        return Fail(error, "image size disagrees with the directory");
    if (U16(image, 14) != 1) return Fail(error, "only two-colour cursors are supported");
    if (U32(image, 16) != 0) return Fail(error, "compressed cursor images are not supported");
    const uint32_t colours = U32(image, 32) ? U32(image, 32) : 2;
    if (colours > 2) return Fail(error, "too many palette entries for one bit per pixel");

    const size_t stride = ((static_cast<size_t>(img.Width) + 31) / 32) * 4;
    const size_t palette = headerSize, xorAt = palette + 4 * size_t{colours};
    const size_t andAt = xorAt + stride * static_cast<size_t>(img.Height);
    if (andAt + stride * static_cast<size_t>(img.Height) > image.size()) return Fail(error, "pixel rows cut short");

    // Which palette entry is light decides white or black for each bit.
    bool light[2] = {false, true};
    for (uint32_t i = 0; i < colours; ++i) {
        const size_t at = palette + 4 * i;
        light[i] = (image[at] + image[at + 1] + image[at + 2]) >= 3 * 128;
    }
    img.Dots.resize(static_cast<size_t>(img.Width) * static_cast<size_t>(img.Height));
    for (int y = 0; y < img.Height; ++y) {
        const size_t row = static_cast<size_t>(img.Height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < img.Width; ++x) {
            const size_t byte = row + static_cast<size_t>(x / 8);
            const int shift = 7 - x % 8;
            const bool andBit = (image[andAt + byte] >> shift) & 1;
            const bool xorLight = light[(image[xorAt + byte] >> shift) & 1];
            CursorImage::Dot d;
            if (!andBit)
                d = xorLight ? CursorImage::Dot::White : CursorImage::Dot::Black;
            else
                d = xorLight ? CursorImage::Dot::Invert : CursorImage::Dot::Clear;
            img.Dots[static_cast<size_t>(y) * static_cast<size_t>(img.Width) + static_cast<size_t>(x)] = d;
        }
    }
    return img;
}
