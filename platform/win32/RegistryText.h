// RegistryText: which registry data the store takes as a text, and which
// texts it agrees to write. Kept apart from the registry calls, with no
// system header, so the rules are checked on every build machine.
//
// The program writes its texts without a terminating zero (the byte count
// is the text's length), other programs usually with one; both read as
// the same text. A read never trusts the data to be terminated: the text
// ends at the first zero byte or at the end of the data the registry
// reported, whichever comes first, and the caller's buffer is sized from
// that report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace RegistryText {

inline constexpr uint32_t TextType = 1;        // REG_SZ
inline constexpr uint32_t ExpandTextType = 2;  // REG_EXPAND_SZ: a text too, taken as it stands, unexpanded
inline constexpr bool IsText(uint32_t type) { return type == TextType || type == ExpandTextType; }
// Far more than any value the program writes (the record table's text is
// 72 characters); longer texts are not written.
inline constexpr size_t MaxBytes = 1024;
// A value of any length the registry holds is read (a long "High" keeps
// its records up front, as in the INI file, and the game cuts it to 255
// characters); only this much, the INI file's own limit, is taken at most.
inline constexpr size_t MaxReadBytes = size_t(1) << 20;

// The text in `size` bytes of data of registry type `type`, or nothing when
// the value is no text or is longer than MaxReadBytes.
inline std::optional<std::string> FromData(uint32_t type, const char* data, size_t size) {
    if (!IsText(type) || size > MaxReadBytes || (size > 0 && data == nullptr)) return std::nullopt;
    size_t length = 0;
    while (length < size && data[length] != '\0') ++length;
    return std::string(data, length);
}

// True when the text can be written and read back unchanged.
inline bool Storable(const std::string& text) {
    return text.size() <= MaxBytes && text.find('\0') == std::string::npos;
}

}  // namespace RegistryText
