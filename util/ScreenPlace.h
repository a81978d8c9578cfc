// ScreenPlace: whether a window put at a stored place can still be reached.
#pragma once

#include "util/Geometry.h"

// The least of a window, each way, that must lie on the work area for the
// player to see it and take hold of it: every window is dragged by its
// background, wherever that part of it is.
constexpr int ReachablePart = 32;

// True when at least ReachablePart x ReachablePart pixels of a window
// at `place` lie on the work area. A place partly off an edge (any edge)
// is the player's and stays; one kept from a bigger or a second monitor
// that is gone, with too little of the window left to grab, fails, and the
// window opens at its default place instead.
bool PlaceReachable(const Rect& place, const Rect& workArea);

// `place` moved into `area` as far as it fits: wholly inside where it can
// be, else with its top-left corner at the area's, so the part a window is
// grabbed by is never out of reach.
Rect KeptWithin(const Rect& place, const Rect& area);

// Where a window of the given size opens when it has no place of its own:
// centred on the work area, kept within it.
Rect DefaultPlace(int width, int height, const Rect& workArea);
