#include <gtest/gtest.h>

#include "util/Format.h"

TEST(Format, HexDigitsRoundTripAndDropHighDigits) {
    EXPECT_EQ(IntToHexDigits(0x9E, 2), "9E");
    EXPECT_EQ(IntToHexDigits(0, 2), "00");
    EXPECT_EQ(IntToHexDigits(0x1ABC, 2), "BC");
    EXPECT_EQ(IntToHexDigits(0xDEADBEEF, 8), "DEADBEEF");
    EXPECT_EQ(IntToHexDigits(5, 12), "00000005");  // at most 8 digits
    for (uint32_t v : {0u, 1u, 15u, 16u, 255u, 4095u, 0x7FFFFFFFu})
        EXPECT_EQ(HexDigitsToInt(IntToHexDigits(v, 8)), static_cast<int32_t>(v));
}

TEST(Format, HexDigitsToIntReadsOnlyUppercaseAndEightCharacters) {
    EXPECT_EQ(HexDigitsToInt("FF"), 255);
    EXPECT_EQ(HexDigitsToInt("FFFFFFFF"), -1);
    EXPECT_EQ(HexDigitsToInt("000000101"), 16);  // the ninth character is ignored
    EXPECT_EQ(HexDigitsToInt("f"), -1);          // lowercase counts as -1
    EXPECT_EQ(HexDigitsToInt("1g"), 16 - 1);
    EXPECT_TRUE(IsUpperHex("0123456789ABCDEF"));
    EXPECT_FALSE(IsUpperHex("12ab"));
    EXPECT_FALSE(IsUpperHex(""));
}

TEST(Format, NumbersPadToWidth) {
    EXPECT_EQ(NumToStrWidth(7, 3), "  7");
    EXPECT_EQ(NumToStrZero(7, 3), "007");
    EXPECT_EQ(NumToStrZero(999, 3), "999");
    EXPECT_EQ(NumToStrWidth(1234, 3), "1234");
    EXPECT_EQ(NumToStrZero(-7, 4), "-007");
    EXPECT_EQ(NumToStrWidth(0, 0), "0");
}
