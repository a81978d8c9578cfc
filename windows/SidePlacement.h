// SidePlacement: where the timer and combinations windows first open when
// no place of theirs is stored: beside the board, touching its right edge,
// the timer on top and the combinations window under it, so that neither
// covers the board or the other. A stored place is always used as it is.
#pragma once

#include "util/Geometry.h"

// The window's rectangle beside `board`, `below` pixels down from the
// board's top, moved back into the work area as far as it would stand out.
Rect BesideBoard(const Rect& board, int width, int height, int below, const Rect& workArea);

// Moves the timer and combinations windows that have no stored place
// beside the board (given in screen coordinates at its final size).
void PlaceSideWindowsBeside(const Rect& board);
