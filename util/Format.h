// Number and hexadecimal formatting shared by the record codec and the
// digit displays of the side windows.
#pragma once

#include <cstdint>
#include <string>

// `count` uppercase hex digits of `value`, most significant first; higher
// digits are dropped. count is clamped to 0..8.
std::string IntToHexDigits(uint32_t value, int count);

// Reads up to the first 8 characters as uppercase hex digits, last one least
// significant. A character that is not one of "0123456789ABCDEF" counts as
// -1 at its place, which is why callers that need a clean value check the
// text with IsUpperHex first.
int32_t HexDigitsToInt(const std::string& text);

// True when text is non-empty and holds only "0123456789ABCDEF".
bool IsUpperHex(const std::string& text);

// Decimal text of value, right-aligned in `width` characters: padded with
// blanks, or with zeros. A number wider than the field is not cut.
std::string NumToStrWidth(int32_t value, int width);
std::string NumToStrZero(int32_t value, int width);
