// Blits: copying a picture, or a rectangle of it, onto a drawing surface
// with one of the three raster operations the program draws with. Every
// pixel of the board and the side windows reaches the screen through here.
//
// The surface ("canvas") and the source are both Bitmaps. A copy is clipped
// to both: only pixels whose source lies inside the source bitmap and whose
// destination lies inside the canvas are touched, so a copy hanging over any
// edge is cut, never written out of bounds. Source and canvas may be the
// same bitmap, overlapping or not.
//
// Positions and sizes are logical: they are multiplied by the canvas's
// Scale. A source of the same scale is copied pixel for pixel; one of
// another scale (a picture missing at this scale) is enlarged or reduced to
// it, each canvas pixel taking the nearest source pixel.
#pragma once

#include <cstdint>

#include "util/Bitmap.h"

// The ternary raster operation codes of the copies, with their usual values.
// Named with a Rop prefix so they never meet the macros of <windows.h>.
inline constexpr uint32_t RopSrcCopy = 0x00CC0020;   // dest := source
inline constexpr uint32_t RopSrcAnd = 0x008800C6;    // dest := dest AND source
inline constexpr uint32_t RopSrcPaint = 0x00EE0086;  // dest := dest OR source

// Copies the whole bitmap, at its own logical size, to (x, y) of the canvas.
void BlitPicture(Bitmap& canvas, int x, int y, const Bitmap& bitmap);

// Copies the rectangle (srcX, srcY, width x height) of the bitmap to (x, y).
void BlitRect(Bitmap& canvas, int x, int y, int width, int height, int srcX, int srcY, const Bitmap& bitmap);

// The same with the raster operation rop. An operation other than the three
// above leaves the canvas as it was, as does an empty or negative size.
void BlitRectRop(Bitmap& canvas, int x, int y, int width, int height, int srcX, int srcY, const Bitmap& bitmap,
                 uint32_t rop);

// The picture at another scale, each pixel taking the nearest of the
// source: what is shown where a picture was not drawn for that scale.
Bitmap Rescaled(const Bitmap& bitmap, int scale);
