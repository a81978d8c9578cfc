// The Windows program file's icon, resources/windows/QuorVex.ico, as the
// shell reads it: one image for every size it asks for, each a whole
// drawing of the ball at that size in full colour with straight (not
// premultiplied) alpha, a see-through mask that agrees with the alpha for
// older code paths, and the 256-pixel one as PNG. The file is read from
// the source tree, as the Windows build compiles it in.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "InflateWhole.h"
#include "resources/Compressed.h"

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t U16(const Bytes& b, size_t at) { return b.at(at) | uint32_t{b.at(at + 1)} << 8; }
uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
uint32_t BigU32(const Bytes& b, size_t at)
{
    return uint32_t{b.at(at)} << 24 | uint32_t{b.at(at + 1)} << 16 | uint32_t{b.at(at + 2)} << 8 | b.at(at + 3);
}

Bytes ReadIcon()
{
    std::ifstream in(std::string(QUORVEX_SOURCE_DIR) + "/resources/windows/QuorVex.ico", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// One image decoded: straight-alpha pixels 0xAARRGGBB, top row first.
struct Image {
    int Side = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int x, int y) const { return Pixels.at(static_cast<size_t>(y * Side + x)); }
};
int A(uint32_t p) { return static_cast<int>(p >> 24); }
int R(uint32_t p) { return static_cast<int>(p >> 16 & 0xFF); }
int G(uint32_t p) { return static_cast<int>(p >> 8 & 0xFF); }
int B(uint32_t p) { return static_cast<int>(p & 0xFF); }

// A 32-bit icon image: the header, BGRA rows bottom-up, then the mask, 1
// where the pixel is see-through, rows padded to whole 32-bit words.
Image DecodeDib(const Bytes& icon, size_t at, size_t size, int side)
{
    EXPECT_EQ(U32(icon, at), 40u);
    EXPECT_EQ(U32(icon, at + 4), uint32_t(side));
    EXPECT_EQ(U32(icon, at + 8), uint32_t(2 * side)) << "the height counts the pixels and the mask";
    EXPECT_EQ(U16(icon, at + 12), 1u);
    EXPECT_EQ(U16(icon, at + 14), 32u);
    EXPECT_EQ(U32(icon, at + 16), 0u) << "uncompressed";
    const size_t maskRow = size_t((side + 31) / 32 * 4);
    EXPECT_EQ(size, 40 + size_t(side * side) * 4 + maskRow * size_t(side));
    Image img{side, std::vector<uint32_t>(size_t(side * side))};
    const size_t pixels = at + 40, mask = pixels + size_t(side * side) * 4;
    int maskDisagrees = 0;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const size_t row = size_t(side - 1 - y);
            img.Pixels[size_t(y * side + x)] = U32(icon, pixels + (row * size_t(side) + size_t(x)) * 4);
            const bool clear = icon.at(mask + row * maskRow + size_t(x / 8)) & (0x80 >> (x % 8));
            maskDisagrees += clear != (A(img.At(x, y)) < 128);
        }
    EXPECT_EQ(maskDisagrees, 0) << side << " px: the mask must clear exactly the mostly transparent pixels";
    return img;
}

// The 256-pixel image: a PNG of 8-bit RGBA, its image data one zlib stream
// inflated here by the program's own inflater (given the header of its
// compressed pictures) and its rows unfiltered.
Image DecodePng(const Bytes& icon, size_t at, size_t size, int side)
{
    static const uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(Signature, Signature + 8, icon.begin() + long(at)));
    Bytes zlib;
    bool header = false;
    for (size_t p = at + 8; p + 12 <= at + size;) {
        const uint32_t length = BigU32(icon, p);
        if (length > at + size - p - 12) {
            ADD_FAILURE() << "a chunk runs past the image";
            break;
        }
        const std::string type(icon.begin() + long(p + 4), icon.begin() + long(p + 8));
        if (type == "IHDR") {
            EXPECT_EQ(BigU32(icon, p + 8), uint32_t(side));
            EXPECT_EQ(BigU32(icon, p + 12), uint32_t(side));
            EXPECT_EQ(icon.at(p + 16), 8) << "bit depth";
            EXPECT_EQ(icon.at(p + 17), 6) << "RGBA";
            EXPECT_EQ(icon.at(p + 20), 0) << "not interlaced";
            header = true;
        }
        if (type == "IDAT") zlib.insert(zlib.end(), icon.begin() + long(p + 8), icon.begin() + long(p + 8 + length));
        p += 12 + length;
    }
    EXPECT_TRUE(header);
    const size_t stride = size_t(side) * 4;
    const uint32_t raw = uint32_t((stride + 1) * size_t(side));
    Bytes packedPng(packed::Magic, packed::Magic + 4);
    for (int i = 0; i < 4; ++i) packedPng.push_back(uint8_t(raw >> (8 * i)));
    packedPng.insert(packedPng.end(), zlib.begin(), zlib.end());
    std::string error;
    const auto rows = InflateWhole(packedPng, &error);
    if (!rows) {
        ADD_FAILURE() << "the PNG's image data: " << error;
        return {};
    }
    Bytes prior(stride, 0), line(stride);
    Image img{side, std::vector<uint32_t>(size_t(side * side))};
    for (int y = 0; y < side; ++y) {
        const uint8_t filter = (*rows)[size_t(y) * (stride + 1)];
        const uint8_t* in = rows->data() + size_t(y) * (stride + 1) + 1;
        for (size_t i = 0; i < stride; ++i) {
            const int a = i >= 4 ? line[i - 4] : 0, b = prior[i], c = i >= 4 ? prior[i - 4] : 0;
            int predictor = 0;
            switch (filter) {
            case 1: predictor = a; break;
            case 2: predictor = b; break;
            case 3: predictor = (a + b) / 2; break;
            case 4: {
                const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                break;
            }
            default: EXPECT_EQ(filter, 0) << "row " << y; break;
            }
            line[i] = uint8_t(in[i] + predictor);
        }
        for (int x = 0; x < side; ++x) {
            const uint8_t* p = &line[size_t(x) * 4];
            img.Pixels[size_t(y * side + x)] = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
        }
        prior = line;
    }
    return img;
}

constexpr std::array<int, 8> Sizes = {16, 24, 32, 48, 64, 96, 128, 256};

}  // namespace

TEST(ShellIcon, HoldsEverySizeTheShellAsksForEachADrawingOfTheBallAtThatSize)
{
    const Bytes icon = ReadIcon();
    ASSERT_GT(icon.size(), 6u + 16 * Sizes.size());
    EXPECT_EQ(U16(icon, 0), 0u);
    EXPECT_EQ(U16(icon, 2), 1u) << "an icon";
    ASSERT_EQ(U16(icon, 4), Sizes.size());

    size_t expectedOffset = 6 + 16 * Sizes.size();
    for (size_t i = 0; i < Sizes.size(); ++i) {
        const int side = Sizes[i];
        const size_t entry = 6 + 16 * i;
        SCOPED_TRACE(std::to_string(side) + " px");
        EXPECT_EQ(icon[entry], side & 0xFF) << "0 stands for 256";
        EXPECT_EQ(icon[entry + 1], side & 0xFF);
        EXPECT_EQ(icon[entry + 2], 0) << "not paletted";
        EXPECT_EQ(U16(icon, entry + 4), 1u);
        EXPECT_EQ(U16(icon, entry + 6), 32u);
        const size_t size = U32(icon, entry + 8), at = U32(icon, entry + 12);
        EXPECT_EQ(at, expectedOffset) << "images follow the directory, one after the other";
        ASSERT_LE(at + size, icon.size());
        expectedOffset = at + size;

        const Image img = side == 256 ? DecodePng(icon, at, size, side) : DecodeDib(icon, at, size, side);
        ASSERT_EQ(img.Side, side);
        // The red ball fills the middle; the corners are see-through.
        const uint32_t mid = img.At(side / 2, side / 2);
        EXPECT_EQ(A(mid), 255);
        EXPECT_GT(R(mid), 2 * G(mid) + 40);
        EXPECT_GT(R(mid), 2 * B(mid) + 40);
        for (auto [x, y] : {std::pair{0, 0}, {side - 1, 0}, {0, side - 1}, {side - 1, side - 1}})
            EXPECT_EQ(A(img.At(x, y)), 0) << x << "," << y;
        // The whole drawing at this size, not a smaller one in a corner:
        // the well's disc (radius 15.6 of 32) covers the same share of the
        // square at every size.
        int covered = 0;
        bool straightAlpha = false;
        for (uint32_t p : img.Pixels) {
            covered += A(p) >= 128;
            // A half-covered edge pixel of the light blue rim, kept at its own
            // colour rather than darkened by its coverage.
            if (A(p) > 0 && A(p) < 128 && std::max({R(p), G(p), B(p)}) > A(p) + 32) straightAlpha = true;
        }
        EXPECT_NEAR(double(covered) / (side * side), 3.14159 * 15.6 * 15.6 / (32 * 32), 0.05);
        EXPECT_TRUE(straightAlpha) << "the colours must not be premultiplied by their alpha";
    }
    EXPECT_EQ(expectedOffset, icon.size()) << "nothing after the last image";
}
