#include "util/Format.h"

#include <algorithm>

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Pad(int32_t value, int width, char fill) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) >= width) return digits;
    if (fill == '0' && value < 0) {
        // Zeros go between the sign and the digits: -007, not 00-7.
        std::string out(static_cast<size_t>(width) - digits.size() + 1, '0');
        out[0] = '-';
        return out.append(digits, 1, std::string::npos);
    }
    std::string out(static_cast<size_t>(width) - digits.size(), fill);
    return out.append(digits);
}
}  // namespace

std::string IntToHexDigits(uint32_t value, int count) {
    count = std::clamp(count, 0, 8);
    std::string text(static_cast<size_t>(count), '0');
    for (int i = count - 1; i >= 0; --i) {
        text[static_cast<size_t>(i)] = kHexDigits[value % 16];
        value /= 16;
    }
    return text;
}

int32_t HexDigitsToInt(const std::string& text) {
    const size_t n = std::min<size_t>(text.size(), 8);
    // Unsigned arithmetic: eight F digits wrap to -1 as a 32-bit value
    // instead of overflowing a signed one.
    uint32_t result = 0;
    uint32_t weight = 1;
    for (size_t i = n; i-- > 0;) {
        result += static_cast<uint32_t>(HexValue(text[i])) * weight;
        weight *= 16;
    }
    return static_cast<int32_t>(result);
}

bool IsUpperHex(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return HexValue(c) >= 0; });
}

std::string NumToStrWidth(int32_t value, int width) { return Pad(value, width, ' '); }
std::string NumToStrZero(int32_t value, int width) { return Pad(value, width, '0'); }
