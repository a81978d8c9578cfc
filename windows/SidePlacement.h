// SidePlacement: where the timer, combinations and statistics windows (in
// that order, each after the ones before) first open when
// no place of theirs is stored: beside the board, touching its right edge,
// the timer on top and the combinations window under it, so that neither
// covers the board or the other. On a screen taller than wide (a phone
// held upright) there is no room beside the board but there is below it:
// they open under its bottom edge, side by side from its left. A stored
// place is always used as it is.
#pragma once

#include "util/Geometry.h"

// The window's rectangle beside `board`, `below` pixels down from the
// board's top, moved back into the work area as far as it would stand out.
Rect BesideBoard(const Rect& board, int width, int height, int below, const Rect& workArea);

// The window's rectangle under `board`, `across` pixels right of the
// board's left edge, moved back into the work area as far as it would
// stand out.
Rect BelowBoard(const Rect& board, int width, int height, int across, const Rect& workArea);

// Moves the timer, combinations and statistics windows that have no stored place
// beside the board (given in screen coordinates at its final size).
void PlaceSideWindowsBeside(const Rect& board);
