// BMP decoding: reads the file header, the info header, the palette and
// the pixel rows in file order, checking every offset and length against
// the file's size before asking for the bytes.
#include "util/Bmp.h"

#include <bit>
#include <cstring>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;     // BITMAPINFOHEADER; V4/V5 are larger and start the same
constexpr uint32_t BiRgb = 0;
// Big enough for any picture the program carries, small enough that
// width * height * 4 cannot overflow and a lying header cannot make us
// allocate gigabytes.
constexpr int32_t MaxDimension = 16384;

uint16_t ReadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t ReadU32(const uint8_t* p) {
    return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
int32_t ReadI32(const uint8_t* p) {
    uint32_t u = ReadU32(p);
    int32_t v;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

std::optional<BmpImage> Fail(std::string* error, const char* why) {
    if (error) *error = why;
    return std::nullopt;
}

// The file in memory, read in place.
class MemorySource final : public BmpSource {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(data ? size : 0) {}
    const uint8_t* Next(size_t count) override {
        if (count > size_ - at_) return nullptr;
        const uint8_t* p = data_ + at_;
        at_ += count;
        return p;
    }
    bool Skip(size_t count) override { return Next(count) != nullptr || count == 0; }

private:
    const uint8_t* data_;
    size_t size_, at_ = 0;
};

}  // namespace

bool BmpSource::Skip(size_t count) {
    // In slices, so a long gap never needs one large buffer.
    constexpr size_t Slice = 4096;
    for (; count > 0;) {
        const size_t n = count < Slice ? count : Slice;
        if (!Next(n)) return false;
        count -= n;
    }
    return true;
}

namespace {

std::optional<BmpImage> DecodeBmpTo(BmpSource& source, size_t size, Bitmap* into, std::string* error) {
    if (size < FileHeaderSize + InfoHeaderSize) return Fail(error, "file too short for BMP headers");
    const uint8_t* data = source.Next(FileHeaderSize + 4);
    if (!data) return Fail(error, "file too short for BMP headers");
    if (data[0] != 'B' || data[1] != 'M') return Fail(error, "not a BMP file (no 'BM' signature)");

    const uint32_t fileSize = ReadU32(data + 2);
    const uint32_t pixelOffset = ReadU32(data + 10);
    // Some writers leave the size at 0; a size that claims more than we
    // have means the file was cut short.
    if (fileSize != 0 && fileSize > size) return Fail(error, "file is shorter than its header says");

    const uint32_t infoSize = ReadU32(data + FileHeaderSize);
    if (infoSize < InfoHeaderSize) return Fail(error, "unsupported BMP info header");
    if (infoSize > size - FileHeaderSize) return Fail(error, "info header runs past the end of the file");
    // The rest of the info header, after its size field; only the fields of
    // the 40-byte header are read.
    const uint8_t* info = source.Next(infoSize - 4);
    if (!info) return Fail(error, "info header runs past the end of the file");

    const int32_t width = ReadI32(info + 0);
    const int32_t rawHeight = ReadI32(info + 4);
    const uint16_t planes = ReadU16(info + 8);
    const uint16_t bits = ReadU16(info + 10);
    const uint32_t compression = ReadU32(info + 12);
    const uint32_t imageSize = ReadU32(info + 16);
    const uint32_t colorsUsed = ReadU32(info + 28);

    if (planes != 1) return Fail(error, "BMP plane count is not 1");
    if (bits != 4 && bits != 8 && bits != 24) return Fail(error, "unsupported bits per pixel (only 4, 8 and 24)");
    if (compression != BiRgb) return Fail(error, "compressed BMP not supported");
    if (width <= 0 || width > MaxDimension) return Fail(error, "bad BMP width");
    if (rawHeight == 0 || rawHeight < -MaxDimension || rawHeight > MaxDimension)
        return Fail(error, "bad BMP height");
    const bool topDown = rawHeight < 0;
    const int32_t height = topDown ? -rawHeight : rawHeight;

    // Palette: right after the info header, 4 bytes (B, G, R, unused) each.
    uint32_t paletteCount = 0;
    if (bits <= 8) {
        const uint32_t maxColors = 1u << bits;
        paletteCount = colorsUsed == 0 ? maxColors : colorsUsed;
        if (paletteCount > maxColors) return Fail(error, "palette larger than the bit depth allows");
    }
    const uint64_t paletteStart = FileHeaderSize + uint64_t{infoSize};
    const uint64_t paletteEnd = paletteStart + uint64_t{paletteCount} * 4;
    if (paletteEnd > size) return Fail(error, "palette runs past the end of the file");

    // Rows are padded to a multiple of 4 bytes.
    const uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    const uint64_t pixelBytes = stride * uint64_t(height);
    if (pixelOffset < paletteEnd) return Fail(error, "pixel data overlaps the headers");
    if (uint64_t{pixelOffset} + pixelBytes > size) return Fail(error, "pixel data runs past the end of the file");
    if (fileSize != 0 && uint64_t{pixelOffset} + pixelBytes > fileSize)
        return Fail(error, "header size is smaller than the pixel data");
    if (imageSize != 0 && imageSize < pixelBytes) return Fail(error, "image size field is smaller than the pixel data");

    uint32_t palette[256] = {};
    if (paletteCount > 0) {
        const uint8_t* entries = source.Next(paletteCount * 4);
        if (!entries) return Fail(error, "palette runs past the end of the file");
        for (uint32_t i = 0; i < paletteCount; ++i) {
            const uint8_t* e = entries + i * 4;
            palette[i] = Rgb(e[2], e[1], e[0]);
        }
    }
    if (!source.Skip(size_t(pixelOffset - paletteEnd))) return Fail(error, "pixel data runs past the end of the file");

    BmpImage image;
    image.BitsPerPixel = bits;
    Bitmap* target = into;
    if (target) {
        if (width > target->Width || height > target->Height)
            return Fail(error, "picture larger than the bitmap it is decoded into");
    } else {
        // Every pixel is set below, so the picture is not cleared first.
        image.Picture = Bitmap::Uninitialised(width, height);
        target = &image.Picture;
    }
    for (int32_t row = 0; row < height; ++row) {
        const uint8_t* src = source.Next(size_t(stride));
        if (!src) return Fail(error, "pixel data runs past the end of the file");
        const int y = topDown ? row : height - 1 - row;
        uint32_t* out = &target->At(0, y);
        if (bits == 24) {
            // B, G, R in the file are 0x00RRGGBB read as a little-endian word;
            // the row's last pixel is read by bytes, as its fourth byte may
            // lie past the data.
            int32_t x = 0;
            if constexpr (std::endian::native == std::endian::little) {
                for (; x + 1 < width; ++x, src += 3) {
                    uint32_t word;
                    std::memcpy(&word, src, 4);
                    out[x] = word & 0x00FFFFFFu;
                }
            }
            for (; x < width; ++x, src += 3) out[x] = Rgb(src[2], src[1], src[0]);
            continue;
        }
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t index = bits == 8 ? src[x] : (x % 2 == 0 ? src[x / 2] >> 4 : src[x / 2] & 0x0F);
            if (index >= paletteCount) return Fail(error, "pixel refers past the end of the palette");
            out[x] = palette[index];
        }
    }
    return image;
}

}  // namespace

std::optional<BmpImage> DecodeBmp(const uint8_t* data, size_t size, std::string* error) {
    MemorySource source(data, size);
    return DecodeBmpTo(source, size, nullptr, error);
}

std::optional<BmpImage> DecodeBmp(BmpSource& source, size_t size, std::string* error) {
    return DecodeBmpTo(source, size, nullptr, error);
}

std::optional<int> DecodeBmpInto(BmpSource& source, size_t size, Bitmap& into, std::string* error) {
    const auto image = DecodeBmpTo(source, size, &into, error);
    return image ? std::optional<int>(image->BitsPerPixel) : std::nullopt;
}

std::optional<int> DecodeBmpInto(const uint8_t* data, size_t size, Bitmap& into, std::string* error) {
    MemorySource source(data, size);
    return DecodeBmpInto(source, size, into, error);
}
