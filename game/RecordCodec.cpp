#include "game/RecordCodec.h"

#include "util/Format.h"

namespace {
std::string Limited(const std::string& s) { return s.size() > MaxByteString ? s.substr(0, MaxByteString) : s; }

// Positions count from 1, so the first byte takes key entry 1 and every
// eighth byte entry 0.
int32_t KeyAt(size_t index0) { return ScrambleKey[(index0 + 1) % 8]; }
}  // namespace

std::string ScrambleText(const std::string& source) {
    std::string out = Limited(source);
    for (size_t i = 0; i < out.size(); ++i) {
        uint8_t b = static_cast<uint8_t>(out[i]) ^ ScrambleMask;
        b = static_cast<uint8_t>((b + KeyAt(i)) % 256);
        out[i] = static_cast<char>(b);
    }
    return out;
}

std::string UnscrambleText(const std::string& source) {
    std::string out = Limited(source);
    for (size_t i = 0; i < out.size(); ++i) {
        uint8_t b = static_cast<uint8_t>((static_cast<uint8_t>(out[i]) - KeyAt(i) + 256) % 256);
        out[i] = static_cast<char>(b ^ ScrambleMask);
    }
    return out;
}

std::string BytesToHex(const std::string& bytes) {
    std::string text;
    for (size_t i = 0; i < bytes.size() && text.size() + 2 <= MaxByteString; ++i)
        text += IntToHexDigits(static_cast<uint8_t>(bytes[i]), 2);
    return text;
}

std::string HexToBytes(const std::string& text) {
    std::string bytes;
    const size_t n = Limited(text).size() / 2;
    for (size_t k = 0; k < n; ++k)
        bytes += static_cast<char>(HexDigitsToInt(text.substr(2 * k, 2)) & 0xFF);
    return bytes;
}
