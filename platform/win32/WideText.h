// WideText: the program's UTF-8 texts and Windows' UTF-16 ones, so titles,
// messages and paths outside ASCII survive the trip through the system.
#pragma once

#include <string>

std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
