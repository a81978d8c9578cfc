// DecodeCur: a two-colour cursor decodes to the right colours, shape and hot
// spot; broken files are refused; the program's own FIST cursor decodes.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "util/Cursor.h"

namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(v >> (8 * i)));
}

// An 8 x 2 cursor (rows of 4 bytes). Top row: pixels 0..3 opaque with XOR
// bits 0,1,0,1; bottom row all transparent except pixel 7 (XOR 0).
std::vector<uint8_t> SmallCursor(int hotX = 3, int hotY = 1) {
    std::vector<uint8_t> b;
    Put16(b, 0);
    Put16(b, 2);
    Put16(b, 1);
    b.push_back(8), b.push_back(2), b.push_back(2), b.push_back(0);
    Put16(b, uint16_t(hotX));
    Put16(b, uint16_t(hotY));
    const uint32_t imageBytes = 40 + 8 + 2 * 4 * 2;
    Put32(b, imageBytes);
    Put32(b, 22);
    Put32(b, 40);
    Put32(b, 8);
    Put32(b, 4);  // doubled height
    Put16(b, 1);
    Put16(b, 1);
    for (int i = 0; i < 6; ++i) Put32(b, 0);
    Put32(b, 0x00000000);  // colour 0: black
    Put32(b, 0x00FFFFFF);  // colour 1: white
    // XOR rows, bottom-up: bottom row, then top row.
    for (uint8_t v : {0x00, 0, 0, 0, 0x50, 0, 0, 0}) b.push_back(v);
    // AND rows, bottom-up.
    for (uint8_t v : {0xFE, 0, 0, 0, 0x0F, 0, 0, 0}) b.push_back(v);
    return b;
}

}  // namespace

TEST(CursorDecode, ColoursShapeAndHotSpot) {
    auto file = SmallCursor();
    std::string error;
    auto cursor = DecodeCur(file.data(), file.size(), &error);
    ASSERT_TRUE(cursor) << error;
    EXPECT_EQ(cursor->Picture.Width, 8);
    EXPECT_EQ(cursor->Picture.Height, 2);
    EXPECT_EQ(cursor->HotX, 3);
    EXPECT_EQ(cursor->HotY, 1);
    EXPECT_EQ(cursor->Shape.Count(), 5);
    for (int x = 0; x < 4; ++x) EXPECT_TRUE(cursor->Shape.Contains(x, 0)) << x;
    EXPECT_FALSE(cursor->Shape.Contains(4, 0));
    EXPECT_TRUE(cursor->Shape.Contains(7, 1));
    EXPECT_FALSE(cursor->Shape.Contains(0, 1));
    EXPECT_EQ(cursor->Picture.At(0, 0), 0u);
    EXPECT_EQ(cursor->Picture.At(1, 0), 0x00FFFFFFu);
    EXPECT_EQ(cursor->Picture.At(3, 0), 0x00FFFFFFu);
    EXPECT_EQ(cursor->Picture.At(7, 1), 0u);
}

TEST(CursorDecode, RefusesTruncatedAndInconsistentFiles) {
    const auto file = SmallCursor();
    for (size_t cut = 0; cut < file.size(); ++cut) {
        std::vector<uint8_t> part(file.begin(), file.begin() + long(cut));
        EXPECT_FALSE(DecodeCur(part.data(), part.size())) << "cut at " << cut;
    }
    std::string error;
    auto hot = SmallCursor(8, 0);  // hot spot past the right edge
    EXPECT_FALSE(DecodeCur(hot.data(), hot.size(), &error));
    auto icon = SmallCursor();
    icon[2] = 1;  // an icon, not a cursor
    EXPECT_FALSE(DecodeCur(icon.data(), icon.size(), &error));
    auto deep = SmallCursor();
    deep[22 + 14] = 4;  // 4 bits per pixel
    EXPECT_FALSE(DecodeCur(deep.data(), deep.size(), &error));
    auto tall = SmallCursor();
    tall[22 + 8] = 40;  // claims 20 rows
    EXPECT_FALSE(DecodeCur(tall.data(), tall.size(), &error));
    EXPECT_FALSE(error.empty());
}
