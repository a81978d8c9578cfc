// ScreenPlace: whether a window put at a stored place can still be reached.
#pragma once

// The part of a window, from its top-left corner, that must lie on the
// screen for the player to see it and drag it back: the top-left corner is
// where each window has a surface to grab.
constexpr int ReachableCorner = 32;

// True when the window's top-left ReachableCorner x ReachableCorner pixels
// lie on a screen of the given size. A place kept from a bigger or second
// monitor, or one the window was dragged off to, fails and the window opens
// at its default place instead; a window partly off the screen otherwise
// stays where the player put it.
bool PlaceReachable(int left, int top, int screenWidth, int screenHeight);

#include "util/Geometry.h"

// `place` moved into `area` as far as it fits: wholly inside where it can
// be, else with its top-left corner at the area's, so the part a window is
// grabbed by is never out of reach.
Rect KeptWithin(const Rect& place, const Rect& area);

// Where a window of the given size opens when it has no place of its own:
// centred on the work area, kept within it.
Rect DefaultPlace(int width, int height, const Rect& workArea);
