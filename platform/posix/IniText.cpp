// IniText: the INI format's lines, read and set in memory.
#include "platform/posix/IniText.h"

#include <string_view>

#include "platform/StoreNames.h"

namespace {

// Every line of the file is looked at by every read, so the pieces of a
// line are views into it, never copies.
std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// "[Name]" gives Name, also with a comment after it ("[Game] ; options");
// anything else nothing.
std::optional<std::string_view> SectionOf(std::string_view line) {
    const std::string_view t = Trim(line);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view rest = Trim(t.substr(close + 1));
    if (!rest.empty() && rest[0] != ';' && rest[0] != '#') return std::nullopt;
    return Trim(t.substr(1, close - 1));
}

// "Name=value" gives both; comments and damaged lines give nothing.
bool SplitEntry(std::string_view line, std::string_view& name, std::string_view& value) {
    const std::string_view t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[') return false;
    const auto eq = t.find('=');
    if (eq == std::string_view::npos || eq == 0) return false;
    name = Trim(t.substr(0, eq));
    value = Trim(t.substr(eq + 1));
    return !name.empty();
}

}  // namespace

bool IniStorable(const std::string& s) { return s.find_first_of("\r\n", 0) == std::string::npos && s.find('\0') == std::string::npos; }

bool IniValidName(const std::string& name) {
    return !name.empty() && IniStorable(name) && name.find_first_of("=[]") == std::string::npos && Trim(name) == name &&
           name[0] != ';' && name[0] != '#';
}

// A file of UTF-16 (by its byte-order mark) or of binary data: mostly
// control bytes. A stray NUL or two in a text file (an editor's slip) does
// not make it unusable: those lines are read around and kept.
bool IniLooksLikeText(const std::string& text) {
    if (text.size() >= 2 && ((text[0] == '\xFF' && text[1] == '\xFE') || (text[0] == '\xFE' && text[1] == '\xFF')))
        return false;
    size_t control = 0;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f' && b != '\v') ++control;
    }
    return control * 10 <= text.size();
}

// The lines of the file, without UTF-8 byte-order marks; CRLF, LF and a
// lone CR each end a line.
std::vector<std::string> IniLines(const std::string& text) {
    std::vector<std::string> lines;
    // Every mark up front goes (an editor that added one to a file that had
    // one): a mark left on the first line would hide its section until a
    // save wrote the file back with one mark fewer, changing what it holds.
    size_t pos = 0;
    while (text.compare(pos, 3, "\xEF\xBB\xBF") == 0) pos += 3;
    while (pos < text.size()) {
        const size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

// Sets name=value in the first matching section (or a new one at the end).
// False when the line was already there as it is.
bool IniSet(std::vector<std::string>& lines, const std::string& section, const std::string& name,
              const std::string& value) {
    const std::string entry = name + "=" + value;
    bool inSection = false;
    std::optional<size_t> sectionEnd;  // line after the last entry of the first matching section
    std::string_view key, old;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (auto s = SectionOf(lines[i])) {
            inSection = SameName(*s, section);
            if (inSection && !sectionEnd) sectionEnd = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (SplitEntry(lines[i], key, old) && SameName(key, name)) {
            if (lines[i] == entry) return false;
            lines[i] = entry;
            return true;
        }
        if (sectionEnd && sectionEnd == i && !Trim(lines[i]).empty()) sectionEnd = i + 1;
    }
    if (sectionEnd) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd), entry);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    }
    return true;
}

std::string IniText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

std::optional<std::string> IniFind(const std::vector<std::string>& lines, const std::string& section,
                                   const std::string& name) {
    bool inSection = false;
    std::string_view key, value;
    for (const std::string& line : lines) {
        if (auto s = SectionOf(line)) {
            inSection = SameName(*s, section);
        } else if (inSection && SplitEntry(line, key, value) && SameName(key, name)) {
            return std::string(value);
        }
    }
    return std::nullopt;
}
