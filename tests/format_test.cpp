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

#include <sstream>

#include "util/TextWrap.h"

TEST(TextWrap, LinesBreakAtBlanksThenAfterSeparatorsAndNothingIsLost) {
    EXPECT_EQ(WrapText("short text", 40), "short text");
    EXPECT_EQ(WrapText("one two three", 8), "one two\nthree");
    EXPECT_EQ(WrapText("keep\nbreaks", 40), "keep\nbreaks");
    // A path longer than a line breaks after a separator in reach.
    EXPECT_EQ(WrapText("at /home/someone/.config/Varnel/QuorVex.ini now", 20),
              "at\n/home/someone/\n.config/Varnel/\nQuorVex.ini now");
    // A word with no separator is cut at the line's end.
    EXPECT_EQ(WrapText("abcdefghijkl", 8), "abcdefgh\nijkl");
}

TEST(TextWrap, TheSaveFailureWithALongPathFitsA1024PixelScreen) {
    const std::string path = "/home/a-rather-long-username/.config/Varnel/QuorVex.ini";  // 55 characters
    ASSERT_EQ(path.size(), 55u);
    const std::string text = "Your options and records could not be saved to " + path +
                             ". They are lost when QuorVex closes.";
    const int columns = MessageColumns(1024);
    const std::string wrapped = WrapText(text, columns);
    std::istringstream lines(wrapped);
    std::string line, joined;
    while (std::getline(lines, line)) {
        EXPECT_LE(int(line.size()), columns) << line;
        joined += (joined.empty() || joined.back() == '/' ? "" : " ") + line;
    }
    EXPECT_EQ(joined, text);
    EXPECT_NE(wrapped.find('\n'), std::string::npos);
    // The widest line at the widest average character seen, with the box
    // around it, stays on the screen; a screen too narrow for even a short
    // line still gets lines.
    EXPECT_LE(columns * 9 + 120, 1024);
    EXPECT_GE(MessageColumns(100), 8);
}
