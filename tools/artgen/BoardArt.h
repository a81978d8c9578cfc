// BoardArt: draws the main window's pictures (board, sprite sheets, button
// highlights, captions, digit strip) and writes them under
// <resources>/main/. The cursor and the icon have their own units.
#pragma once

#include <filesystem>

void GenerateBoardArt(const std::filesystem::path& resourcesDir);
void GenerateCursor(const std::filesystem::path& resourcesDir);
void GenerateIcon(const std::filesystem::path& resourcesDir);
