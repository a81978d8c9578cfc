// Scale: the whole-number factor (1, 2 or 3) between the program's logical
// pixels, in which every coordinate of the game, its geometry and layout
// tables is given, and the screen's pixels. Canvases, pictures and masks
// are made at the drawing scale, so the art stays sharp on a dense screen;
// the blits and the mask builders take logical coordinates and scale them.
//
// The application owns the scale of the run and hands it to what draws
// and to what converts places (it changes only when the player or the
// system asks for another scale, and then every window is redrawn).
#pragma once

inline constexpr int MinScale = 1;
inline constexpr int MaxScale = 3;

// Values outside 1..3 are brought into it.
constexpr int ClampScale(int scale) { return scale < MinScale ? MinScale : scale > MaxScale ? MaxScale : scale; }

// x / scale rounded toward minus infinity, so screen points left of or
// above a window map to the logical pixel they lie in.
constexpr int FloorDiv(int x, int scale) { return x >= 0 ? x / scale : -((-x + scale - 1) / scale); }

// The scale a screen of `dpi` dots per inch wants: its ratio to 96 dpi,
// rounded to the nearest whole number (1 below 1.5), at most 3.
int ScaleForDpi(double dpi);
