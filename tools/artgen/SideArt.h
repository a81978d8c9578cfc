// SideArt: draws the pictures of the six side windows (timer, combinations,
// message, options, high scores, about) and writes them as BMP files under
// <resources>/<window>/. Owns only those windows' pictures; the main window,
// cursor and icon are drawn by the board art units.
#pragma once

#include <filesystem>

void GenerateSideWindowArt(const std::filesystem::path& resourcesDir);
