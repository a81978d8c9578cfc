// PageFit: how large the page draws the game, and from which art.
//
// A page is any size. The game draws at a whole scale (the art of 1x, 2x
// or 3x) into its windows' pixels, and the page shows those pixels at
// `ScreenPerCss` of them per CSS pixel, resampled smoothly where that is
// not one device pixel each:
//   - a phone or tablet (`FillPage`) shows the board as large as the page
//     allows, upright or on its side; its art is the whole scale at or
//     below the device pixels a board pixel covers, when enlarging that by
//     at most 1.25 is enough (more blurs), else the next larger one
//     reduced;
//   - a desktop browser keeps the art of its device pixel ratio rounded
//     and one screen pixel a device pixel, exactly as a desktop does, and
//     shows the board smaller only when the window is too small for it.
// Standard library only, so the rules are tested natively.
#pragma once

struct PageView {
    double DevicePixelRatio = 1;
    double CssWidth = 0, CssHeight = 0;  // the page's viewport
    bool FillPage = false;               // a touch screen: the board fills the page
    int FitWidth = 1, FitHeight = 1;     // the window fitted to the page, in its logical pixels
};

// The page's share the board fills on a touch screen, leaving a rim.
constexpr double PageFillShare = 0.98;
// The most a whole scale's art is enlarged before the next one is used.
constexpr double MaxEnlargement = 1.25;

// The whole scale (1..3) the page asks the game to draw at.
int PageArtScale(const PageView& view);
// Screen pixels per CSS pixel while the game draws at `drawScale`.
double ScreenPerCss(const PageView& view, int drawScale);
