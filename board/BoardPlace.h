// BoardPlace: where the board opens and which drawing scales it fits at.
// A board larger than the screen's work area would open with its colour
// column out of reach, so a scale the board cannot fit at is never used,
// and the board's first place keeps it within the work area.
#pragma once

#include "util/Geometry.h"

// True when the board at `scale` fits the work area (screen pixels).
bool BoardFits(int scale, const Rect& workArea);
// The largest scale up to `wanted` the board fits at; 1 when none does.
int LargestFittingScale(int wanted, const Rect& workArea);
// The scale after `scale` in the cycle 1, 2, 3, 1, ..., passing over those
// the board does not fit at.
int NextFittingScale(int scale, const Rect& workArea);
// The board's place when none is stored, in screen pixels at `scale`: its
// design size centred on the work area, with the board's final size kept
// within it.
Rect DefaultBoardPlace(int scale, const Rect& workArea);
