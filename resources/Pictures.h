// Pictures: the program's embedded files (every window's pictures, the
// closed-hand cursor and the icon), found by name.
//
// Pictures live in one folder per window ("main", "timer", "combs",
// "message", "options", "high", "about"), so the main window's caption
// ImgHigh and the high-score window's imgHigh never mix even where names
// repeat across windows. Names are matched exactly, case included.
// Owns nothing but read-only bytes compiled into the program.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "util/Bmp.h"

enum class PictureWindow { Main, Timer, Combs, Message, Options, High, About };

struct EmbeddedFile {
    std::string_view Path;  // below resources/, e.g. "main/ImgBoard.bmp"
    std::span<const uint8_t> Bytes;
};

// Every embedded file, sorted by path.
std::span<const EmbeddedFile> EmbeddedFiles();

// The folder name of a window's pictures.
std::string_view WindowFolder(PictureWindow window);

// The bytes of a file by its path below resources/; empty when missing.
std::span<const uint8_t> ResourceBytes(std::string_view path);

// The BMP bytes of a window's picture; empty when there is no such picture.
std::span<const uint8_t> PictureBytes(PictureWindow window, std::string_view name);

// A window's picture decoded, or nothing (with *error saying why) when it is
// missing or its file is not a picture the decoder accepts.
std::optional<BmpImage> LoadPicture(PictureWindow window, std::string_view name, std::string* error = nullptr);

// The cursor "FIST" (a .cur file, 32 x 32, two colours, hot spot 15, 15)
// and the program's icon (a .ico file, 32 x 32, 256 colours).
std::span<const uint8_t> CursorFistBytes();
std::span<const uint8_t> ProgramIconBytes();
