// IniText: the INI format of the POSIX store, as text: lines split the
// way every editor writes them, values found and set by section and name
// (letter case aside), and the checks a file and a name must pass. No file
// is touched here; IniFileStore reads, locks and replaces the file around
// these, and the fuzzer drives them in memory.
#pragma once

#include <optional>
#include <string>
#include <vector>

// A file of UTF-16 (by its byte-order mark) or of binary data (mostly
// control bytes) is no INI file; a stray NUL or two in a text file is.
bool IniLooksLikeText(const std::string& text);
// The lines of a file, without the UTF-8 byte-order marks up front (one or
// more); CRLF, LF and a lone CR each end a line.
std::vector<std::string> IniLines(const std::string& text);
// The lines written back, each ended by LF.
std::string IniText(const std::vector<std::string>& lines);

// The value of `name` in the first section called `section` that holds it;
// comments, damaged lines and other sections are passed over.
std::optional<std::string> IniFind(const std::vector<std::string>& lines, const std::string& section,
                                   const std::string& name);
// Sets name=value in the first matching section (or a new one at the end),
// keeping every other line as it is. False when the line was already there
// as it is.
bool IniSet(std::vector<std::string>& lines, const std::string& section, const std::string& name,
            const std::string& value);

// A value may hold no line end and no NUL; a name (of a section or a
// value) also no '=', '[' or ']', no blank at either end, and may not
// start as a comment does.
bool IniStorable(const std::string& s);
bool IniValidName(const std::string& name);
