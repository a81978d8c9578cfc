// Pictures: the program's embedded files (every window's pictures, the
// closed-hand cursor and the icon), found by name.
//
// Pictures live in one folder per window ("main", "timer", "combs",
// "message", "options", "high", "about", "stats"), so the main window's caption
// ImgHigh and the high-score window's imgHigh never mix even where names
// repeat across windows. Names are matched exactly, case included.
//
// Every picture exists at three scales, drawn from the same shapes: 1x in
// "<window>/<name>.bmp", 2x and 3x in "2x/<window>/<name>.bmp.z" and
// "3x/<window>/<name>.bmp.z", exactly 2 and 3 times the 1x size each way,
// with everything in them at 2 and 3 times its 1x place, and compressed
// (see Compressed.h). The 1x pictures are plain BMP files read in place.
// Owns nothing but read-only bytes compiled into the program (and, for the
// larger scales, the pictures it inflates and hands over).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "util/Bmp.h"

enum class PictureWindow { Main, Timer, Combs, Message, Options, High, About, Stats };

struct EmbeddedFile {
    std::string_view Path;  // below resources/, e.g. "main/ImgBoard.bmp"
    std::span<const uint8_t> Bytes;
};

// The scales pictures are drawn at.
inline constexpr int MinPictureScale = 1;
inline constexpr int MaxPictureScale = 3;

// Every embedded file, sorted by path.
std::span<const EmbeddedFile> EmbeddedFiles();

// The folder name of a window's pictures.
std::string_view WindowFolder(PictureWindow window);

// The bytes of a file by its path below resources/; empty when missing.
std::span<const uint8_t> ResourceBytes(std::string_view path);

// The path below resources/ of a window's picture at a scale (1, 2 or 3),
// e.g. "main/ImgBoard.bmp", "2x/main/ImgBoard.bmp.z"; empty for any other
// scale.
std::string PicturePath(PictureWindow window, std::string_view name, int scale);

// The embedded bytes of a window's picture at a scale: a BMP file at 1x,
// the compressed form at 2x and 3x; empty when there is no such picture.
std::span<const uint8_t> PictureBytes(PictureWindow window, std::string_view name, int scale = 1);

// A window's picture at a scale (1, 2 or 3) decoded, or nothing (with
// *error saying why) when the scale is not one of those, the picture is
// missing, or its file does not inflate or decode.
std::optional<BmpImage> LoadPicture(PictureWindow window, std::string_view name, int scale,
                                    std::string* error = nullptr);
// The same at 1x.
std::optional<BmpImage> LoadPicture(PictureWindow window, std::string_view name, std::string* error = nullptr);

// A window's picture at a scale decoded straight into the top-left corner of
// `into`, which must be at least its size: for a picture drawn whole into a
// larger bitmap at once (the board into its back buffer), with no picture of
// its own made and copied. False (with *error saying why) as LoadPicture
// fails; `into` may then be partly drawn.
bool LoadPictureInto(PictureWindow window, std::string_view name, int scale, Bitmap& into,
                     std::string* error = nullptr);

// The cursor "FIST" at a scale (a .cur file, two colours: 32 x 32 with the
// hot spot at 15, 15 at 1x; 64 x 64 and 96 x 96, hot spot 30, 30 and
// 45, 45 at 2x and 3x); empty for any other scale.
std::span<const uint8_t> CursorFistBytes(int scale = 1);
// The program's icon (a .ico file of 256 colours) drawn at a scale: 32, 64
// or 96 pixels square at 1x, 2x and 3x; empty for any other scale.
std::span<const uint8_t> ProgramIconBytes(int scale = 1);
