// Section and value names compare without regard to letter case in every
// store, as they do in the registry.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>

inline std::string FoldCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

inline bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}
