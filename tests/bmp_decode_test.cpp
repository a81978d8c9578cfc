// DecodeBmp: the formats the artwork uses decode to the right pixels, and
// files that are cut short or whose headers disagree with their length are
// rejected without reading past the end.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "util/Bmp.h"

namespace {

void PutU16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

// Builds a BMP file. `rows` holds the stored rows in file order (already
// packed to `bits` per pixel, without padding); padding is added here.
std::vector<uint8_t> MakeBmp(int width, int height, int bits, const std::vector<std::vector<uint8_t>>& rows,
                             const std::vector<uint32_t>& palette = {}) {
    const size_t stride = ((size_t(width) * bits + 31) / 32) * 4;
    const size_t rowCount = size_t(height < 0 ? -height : height);
    const size_t offset = 14 + 40 + palette.size() * 4;
    std::vector<uint8_t> b(offset + stride * rowCount, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, 2, uint32_t(b.size()));
    PutU32(b, 10, uint32_t(offset));
    PutU32(b, 14, 40);
    PutU32(b, 18, uint32_t(width));
    PutU32(b, 22, uint32_t(height));
    PutU16(b, 26, 1);
    PutU16(b, 28, uint16_t(bits));
    PutU32(b, 34, uint32_t(stride * rowCount));
    PutU32(b, 46, uint32_t(palette.size()));
    for (size_t i = 0; i < palette.size(); ++i) {
        b[54 + i * 4] = uint8_t(palette[i]);            // B
        b[54 + i * 4 + 1] = uint8_t(palette[i] >> 8);   // G
        b[54 + i * 4 + 2] = uint8_t(palette[i] >> 16);  // R
    }
    for (size_t r = 0; r < rowCount; ++r)
        std::memcpy(b.data() + offset + r * stride, rows[r].data(), rows[r].size());
    return b;
}

// 3x2 24-bit picture, stored bottom-up: the last stored row is the top.
std::vector<uint8_t> Small24(int height = 2) {
    std::vector<std::vector<uint8_t>> rows = {
        {0x03, 0x02, 0x01, 0x06, 0x05, 0x04, 0x09, 0x08, 0x07},  // stored first
        {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF},
    };
    return MakeBmp(3, height, 24, rows);
}

}  // namespace

TEST(BmpDecode, TwentyFourBitBottomUpPutsLastStoredRowOnTop) {
    auto file = Small24();
    std::string error;
    auto image = DecodeBmp(file.data(), file.size(), &error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->BitsPerPixel, 24);
    ASSERT_EQ(image->Picture.Width, 3);
    ASSERT_EQ(image->Picture.Height, 2);
    // Stored B,G,R: top row is the second stored row.
    EXPECT_EQ(image->Picture.At(0, 0), 0x000000FFu);
    EXPECT_EQ(image->Picture.At(1, 0), 0x0000FF00u);
    EXPECT_EQ(image->Picture.At(2, 0), 0x00FF0000u);
    EXPECT_EQ(image->Picture.At(0, 1), 0x00010203u);
    EXPECT_EQ(image->Picture.At(2, 1), 0x00070809u);
}

TEST(BmpDecode, TopDownKeepsStoredOrder) {
    auto file = Small24(-2);
    auto image = DecodeBmp(file.data(), file.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Picture.Height, 2);
    EXPECT_EQ(image->Picture.At(0, 0), 0x00010203u);
    EXPECT_EQ(image->Picture.At(0, 1), 0x000000FFu);
}

TEST(BmpDecode, FourBitPaletteHighNibbleIsLeftPixel) {
    // 3 pixels wide: indices 1,2,0 then a pad nibble.
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00};
    auto file = MakeBmp(3, 1, 4, {{0x12, 0x00}}, palette);
    std::string error;
    auto image = DecodeBmp(file.data(), file.size(), &error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->BitsPerPixel, 4);
    EXPECT_EQ(image->Picture.At(0, 0), 0x00FF0000u);
    EXPECT_EQ(image->Picture.At(1, 0), 0x0000FF00u);
    EXPECT_EQ(image->Picture.At(2, 0), 0x00000000u);
}

TEST(BmpDecode, EightBitPalette) {
    const std::vector<uint32_t> palette = {0x102030, 0x405060};
    auto file = MakeBmp(2, 1, 8, {{1, 0}}, palette);
    auto image = DecodeBmp(file.data(), file.size());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->BitsPerPixel, 8);
    EXPECT_EQ(image->Picture.At(0, 0), 0x00405060u);
    EXPECT_EQ(image->Picture.At(1, 0), 0x00102030u);
}

TEST(BmpDecode, RejectsEveryTruncation) {
    auto file = Small24();
    for (size_t cut = 0; cut < file.size(); ++cut) {
        // A copy of exactly `cut` bytes, so a read past it is caught by
        // sanitizers and valgrind, not hidden by the rest of the vector.
        std::vector<uint8_t> part(file.begin(), file.begin() + long(cut));
        std::string error;
        EXPECT_FALSE(DecodeBmp(part.data(), part.size(), &error)) << "cut at " << cut;
        EXPECT_FALSE(error.empty()) << "cut at " << cut;
    }
}

TEST(BmpDecode, RejectsHeadersThatLieAboutSizes) {
    std::string error;
    {   // File size larger than the bytes given.
        auto file = Small24();
        PutU32(file, 2, uint32_t(file.size() + 100));
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {   // Height claims more rows than the file holds; file size field agrees with the length.
        auto file = Small24();
        PutU32(file, 22, 50);
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {   // Width claims more pixels per row than stored.
        auto file = Small24();
        PutU32(file, 18, 1000);
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {   // Pixel offset points near the end.
        auto file = Small24();
        PutU32(file, 10, uint32_t(file.size() - 4));
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {   // Info header size larger than the file.
        auto file = Small24();
        PutU32(file, 14, 0x7FFFFFF0u);
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {   // Palette count claims more entries than are there.
        auto file = MakeBmp(2, 1, 8, {{1, 0}}, {0x102030, 0x405060});
        PutU32(file, 46, 256);
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {   // Huge dimensions must be refused before any allocation.
        auto file = Small24();
        PutU32(file, 18, 0x7FFFFFFFu);
        PutU32(file, 22, 0x7FFFFFFFu);
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
}

TEST(BmpDecode, RejectsFormatsTheProgramDoesNotUse) {
    std::string error;
    {
        auto file = Small24();
        PutU16(file, 28, 32);
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {
        auto file = Small24();
        PutU32(file, 30, 1);  // BI_RLE8
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    {
        auto file = Small24();
        file[0] = 'X';
        EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    }
    EXPECT_FALSE(DecodeBmp(nullptr, 0, &error));
}

TEST(BmpDecode, RejectsPaletteIndexPastPalette) {
    // Two palette entries, pixel index 5.
    auto file = MakeBmp(1, 1, 8, {{5}}, {0x000000, 0xFFFFFF});
    std::string error;
    EXPECT_FALSE(DecodeBmp(file.data(), file.size(), &error));
    EXPECT_NE(error.find("palette"), std::string::npos);
}
