// Section and value names compare without regard to letter case in every
// store, as they do in the registry.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

inline std::string FoldCase(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

inline bool SameName(const std::string& a, const std::string& b) { return FoldCase(a) == FoldCase(b); }
