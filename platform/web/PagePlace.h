// PagePlace: where a window may stand on the page. A page has no window
// manager to bring back a window that went off it, and no edge beyond which
// a player can still reach it, so the page keeps every window within
// itself: wholly where it fits, and where it is larger than the page, so
// that it covers the page and every part of it can be dragged into view.
// Standard library and util only, so the rule is tested natively.
#pragma once

#include "util/Geometry.h"

// `bounds` moved as little as it takes to stand within a page of the given
// size (screen pixels); its size is kept.
Rect KeepWithinPage(const Rect& bounds, int pageWidth, int pageHeight);
