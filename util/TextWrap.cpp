#include "util/TextWrap.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int MinColumns = 8;
constexpr int MaxColumns = 100;
constexpr int BoxFramePixels = 120;  // borders, margins and the icon
constexpr int CharPixels = 9;        // the widest average of the message fonts seen

// Where to break a word too long for a line: after the last separator
// within `room` characters, else at `room`.
size_t BreakPoint(const std::string& word, size_t room) {
    const size_t slash = word.find_last_of("/\\", room - 1);
    return slash != std::string::npos && slash > 0 ? slash + 1 : room;
}

void WrapLine(const std::string& line, size_t columns, std::string& out) {
    std::string current;
    size_t start = 0;
    while (start <= line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos) end = line.size();
        std::string word = line.substr(start, end - start);
        start = end + 1;
        if (word.empty() && end != line.size()) continue;
        if (!current.empty() && current.size() + 1 + word.size() > columns) {
            out += current + '\n';
            current.clear();
        }
        // Here a word longer than a line always starts one.
        while (word.size() > columns) {
            const size_t cut = BreakPoint(word, columns);
            out += word.substr(0, cut) + '\n';
            word.erase(0, cut);
        }
        if (!word.empty()) current += (current.empty() ? "" : " ") + word;
    }
    out += current;
}
}  // namespace

std::string WrapText(const std::string& text, int columns) {
    const size_t width = size_t(std::max(columns, MinColumns));
    std::string out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        WrapLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start), width, out);
        if (end == std::string::npos) break;
        out += '\n';
        start = end + 1;
    }
    return out;
}

int MessageColumns(int width) { return std::clamp((width - BoxFramePixels) / CharPixels, MinColumns, MaxColumns); }
