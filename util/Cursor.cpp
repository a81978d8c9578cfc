// Cursor pictures: the .cur directory, then the single 1-bit image with
// its XOR (colour) and AND (transparency) bitmaps, stored bottom-up.
#include "util/Cursor.h"

namespace {

constexpr size_t DirectorySize = 6, EntrySize = 16, InfoHeaderSize = 40;
constexpr int MaxSide = 256;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

std::optional<CursorImage> Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return std::nullopt;
}

bool Bit(const uint8_t* row, int x) { return (row[x / 8] >> (7 - x % 8)) & 1; }

}  // namespace

std::optional<CursorImage> DecodeCur(const uint8_t* data, size_t size, std::string* error) {
    if (!data || size < DirectorySize + EntrySize) return Fail(error, "file too short for a cursor directory");
    if (U16(data) != 0 || U16(data + 2) != 2) return Fail(error, "not a .cur file");
    if (U16(data + 4) < 1) return Fail(error, "cursor file holds no image");

    const uint8_t* entry = data + DirectorySize;
    const int hotX = U16(entry + 4), hotY = U16(entry + 6);
    const uint32_t imageBytes = U32(entry + 8), imageOffset = U32(entry + 12);
    if (uint64_t{imageOffset} + imageBytes > size) return Fail(error, "cursor image runs past the end of the file");
    if (imageBytes < InfoHeaderSize) return Fail(error, "cursor image too short for its header");

    const uint8_t* image = data + imageOffset;
    const uint32_t headerSize = U32(image);
    const int32_t width = static_cast<int32_t>(U32(image + 4));
    const int32_t doubledHeight = static_cast<int32_t>(U32(image + 8));
    const uint16_t bits = U16(image + 14);
    const uint32_t compression = U32(image + 16);
    if (headerSize < InfoHeaderSize || headerSize > imageBytes) return Fail(error, "bad cursor image header");
    if (bits != 1 || compression != 0) return Fail(error, "only two-colour uncompressed cursors are supported");
    if (width <= 0 || width > MaxSide || doubledHeight <= 0 || doubledHeight % 2 != 0 || doubledHeight / 2 > MaxSide)
        return Fail(error, "bad cursor size");
    const int height = doubledHeight / 2;
    if (hotX >= width || hotY >= height) return Fail(error, "cursor hot spot outside the picture");

    // Two palette entries, then the XOR rows, then the AND rows; each row
    // padded to 4 bytes.
    const uint64_t stride = ((uint64_t(width) + 31) / 32) * 4;
    const uint64_t paletteAt = headerSize;
    const uint64_t xorAt = paletteAt + 2 * 4;
    const uint64_t andAt = xorAt + stride * uint64_t(height);
    if (andAt + stride * uint64_t(height) > imageBytes) return Fail(error, "cursor bitmaps run past the image");

    const uint8_t* palette = image + paletteAt;
    const uint32_t colours[2] = {Rgb(palette[2], palette[1], palette[0]), Rgb(palette[6], palette[5], palette[4])};

    CursorImage cursor;
    cursor.Picture = Bitmap(width, height);
    cursor.Shape = Region(width, height);
    cursor.HotX = hotX;
    cursor.HotY = hotY;
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;  // bottom-up
        const uint8_t* xorRow = image + xorAt + stride * uint64_t(row);
        const uint8_t* andRow = image + andAt + stride * uint64_t(row);
        for (int x = 0; x < width; ++x) {
            if (Bit(andRow, x)) continue;
            cursor.Picture.At(x, y) = colours[Bit(xorRow, x)];
            cursor.Shape.Union(RectShape(x, y, x + 1, y + 1));
        }
    }
    return cursor;
}
