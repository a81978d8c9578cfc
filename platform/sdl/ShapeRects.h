// ShapeRects: a window shape as the list of rectangles the X shape
// extension takes. Rows with the same runs are merged into one band, so a
// shape of straight edges costs a handful of rectangles instead of one per
// row.
#pragma once

#include <vector>

#include "util/Geometry.h"
#include "util/Region.h"

// Non-overlapping rectangles covering exactly the region's pixels, in
// y-x banded order (top to bottom, left to right within a band).
std::vector<Rect> ShapeRectangles(const Region& region);
