// CanvasPixels: the program's pixels (0x00RRGGBB) as a canvas takes them,
// R, G, B, A bytes, row after row: for a window's present and for the
// closed hand's picture alike. Standard library only, tested natively.
#pragma once

#include <cstdint>
#include <vector>

#include "util/Bitmap.h"
#include "util/Geometry.h"
#include "util/Region.h"

// The part `area` of `picture` (which must lie inside it) into `out`,
// resized to fit: opaque everywhere, or, with a shape, opaque where the
// shape holds a pixel and clear elsewhere.
void ToCanvasPixels(const Bitmap& picture, const Rect& area, const Region* shape, std::vector<uint8_t>& out);
