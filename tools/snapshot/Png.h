// Png: writes a Bitmap as a PNG file, for looking at what the program
// presents (the side windows' and the board's snapshots). Tools only: the
// game itself never writes pictures.
//
// The encoder keeps to what any viewer reads and needs no library: 8-bit
// RGB, or RGBA when a shape is given (pixels outside it are transparent),
// in stored (uncompressed) deflate blocks with the zlib and chunk checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/Bitmap.h"
#include "util/Region.h"

// The whole file. With a shape, the pixels it does not hold get alpha 0.
std::vector<uint8_t> EncodePng(const Bitmap& picture, const Region* shape = nullptr);

// Writes EncodePng's bytes; false (nothing promised about the file) when
// the picture is empty or the file cannot be written.
bool WritePng(const std::string& path, const Bitmap& picture, const Region* shape = nullptr);
