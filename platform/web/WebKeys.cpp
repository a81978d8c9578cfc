// WebKeys: KeyboardEvent.code and .key as portable key codes.
#include "platform/web/WebKeys.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/Platform.h"

namespace {

struct Named {
    std::string_view Code;
    int Key;
};

constexpr std::array<Named, 11> NamedKeys{{
    {"Backspace", Key::Backspace},
    {"Tab", 9},
    {"Enter", Key::Enter},
    {"NumpadEnter", Key::Enter},
    {"Escape", Key::Escape},
    {"Space", Key::Space},
    {"ArrowLeft", Key::Left},
    {"ArrowUp", Key::Up},
    {"ArrowRight", Key::Right},
    {"ArrowDown", Key::Down},
    {"Delete", 46},
}};

// The number after `prefix` in `code` ("F12" -> 12), or -1.
int NumberAfter(std::string_view code, std::string_view prefix) {
    if (!code.starts_with(prefix) || code.size() == prefix.size() || code.size() > prefix.size() + 2) return -1;
    int n = 0;
    for (const char c : code.substr(prefix.size())) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

int WebKeyCode(std::string_view code, std::string_view key) {
    for (const Named& n : NamedKeys)
        if (n.Code == code) return n.Key;
    if (const int f = NumberAfter(code, "F"); f >= 1 && f <= 12) return Key::Function(f);
    for (const std::string_view digits : {std::string_view("Digit"), std::string_view("Numpad")})
        if (const int d = NumberAfter(code, digits); d >= 0 && d <= 9 && code.size() == digits.size() + 1)
            return Key::Digit(d);
    // Any other key by the one character it types.
    if (key.size() == 1 && static_cast<unsigned char>(key[0]) >= 0x20 && static_cast<unsigned char>(key[0]) < 0x7F) {
        const char c = key[0];
        return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
    }
    return 0;
}

bool GameTakesKey(int portable, bool ctrl, bool alt, bool systemKey) {
    if (ctrl || systemKey || portable == 0) return false;
    if (portable >= Key::F1 && portable <= Key::F12) return true;
    if (alt) return false;
    switch (portable) {
        case Key::Backspace:
        case Key::Enter:
        case Key::Escape:
        case Key::Space:
        case Key::Left:
        case Key::Up:
        case Key::Right:
        case Key::Down: return true;
        default: return Key::IsDigit(portable);
    }
}
