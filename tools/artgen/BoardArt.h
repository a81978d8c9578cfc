// BoardArt: draws the main window's pictures (board, sprite sheets, button
// highlights, captions, digit strip) and writes them under
// <resources>/main/. The cursor and the icon have their own units.
#pragma once

#include <filesystem>

void GenerateBoardArt(const std::filesystem::path& resourcesDir);
void GenerateCursor(const std::filesystem::path& resourcesDir);
void GenerateIcon(const std::filesystem::path& resourcesDir);
// The icon of the Windows program file at every size the shell asks for,
// as <windowsDir>/QuorVex.ico; drawn at drawing scale 1.
void GenerateShellIcon(const std::filesystem::path& windowsDir);
// The installed page's icons: 192 and 512 pixels, and a maskable 512.
void GenerateWebIcons(const std::filesystem::path& webDir);
