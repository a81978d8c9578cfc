// The stored form of the record table: its 36 bytes scrambled with a fixed
// key and written as uppercase hexadecimal. The mask and key are part of
// the stored format; stored records read back only with the same values.
//
// Byte strings are std::string of at most 255 bytes; longer input is cut.
#pragma once

#include <cstdint>
#include <string>

constexpr uint8_t ScrambleMask = 0x9E;
constexpr int32_t ScrambleKey[8] = {37, 142, 9, 201, 88, 160, 23, 115};
constexpr size_t MaxByteString = 255;

std::string ScrambleText(const std::string& source);
std::string UnscrambleText(const std::string& source);

// Two uppercase digits a byte; the text is at most 255 characters, so at
// most 127 bytes are encoded.
std::string BytesToHex(const std::string& bytes);

// Pairs of digits to bytes; an odd last character is dropped. Digits
// outside "0123456789ABCDEF" decode as garbage, so callers check the text
// first (IsUpperHex).
std::string HexToBytes(const std::string& text);
