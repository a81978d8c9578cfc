// ClipPath: a window's shape as a CSS clip-path, for the browser backend.
//
// The page cuts each window's canvas with `clip-path: path(...)`, which
// shapes both what is drawn and where the canvas takes clicks, so the page
// (or a window below) shows through and is clicked through outside the
// outline. The path is made of the region's runs, rows with the same runs
// merged into one rectangle, in CSS pixels: the mask's own pixels divided
// by the page's device scale. Standard library and util only, so the rule
// is tested natively.
#pragma once

#include <string>

#include "util/Region.h"

// The CSS value for `clip-path`: "path('M0 0H10V4H0Z...')". A region with
// no pixel gives a path that holds nothing ("path('M0 0Z')"), so the
// window neither shows nor takes a click; cssScale below 1 counts as 1.
std::string ClipPathCss(const Region& shape, int cssScale);
