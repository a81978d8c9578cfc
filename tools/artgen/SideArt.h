// SideArt: draws the pictures of the seven side windows (timer, combinations,
// message, options, high scores, about, statistics) and writes them as 24-bit BMP files
// under <resources>/<window>/<PictureName>.bmp. The main window, the cursor
// and the icon belong to the board art units.
//
// Below the entry point are the few pieces the side windows share: their
// rectangles, their palette (deep blue and copper, like the board), textures,
// sunken display fields, lettering in a normal and a lit look, and the
// writing of a whole picture or of an overlay cut out of a lit rendering.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "ArtCommon.h"
#include "BoardPalette.h"
#include "windows/LayoutTypes.h"

void GenerateSideWindowArt(const std::filesystem::path& resourcesDir);

namespace side {

// The centre of a rectangle, for drawing centred with cairo.
constexpr double CentreX(const Rect& r) { return r.Left + r.Width / 2.0; }
constexpr double CentreY(const Rect& r) { return r.Top + r.Height / 2.0; }

// The shared palette. The board is deep blue with copper highlights; the
// side windows use the same blue and copper so they read as one set.
namespace pal {
inline constexpr uint32_t BlueLight = board::BoardLight;
inline constexpr uint32_t BlueMid = 0x14399A;
inline constexpr uint32_t BlueDark = board::BoardDark;
inline constexpr uint32_t Night = board::Outside;   // outside the rounded regions, deepest shadow
inline constexpr uint32_t CopperLight = board::CopperLight;
inline constexpr uint32_t Copper = 0xC8743A;
inline constexpr uint32_t CopperDark = board::CopperDark;
inline constexpr uint32_t Label = 0xD2DDF5;        // lettering at rest: pale silver blue
inline constexpr uint32_t LitText = 0xFFE2A8;      // lettering under the pointer: warm gold
inline constexpr uint32_t LitGlow = 0xFF9B45;      // the copper glow around lit lettering
}  // namespace pal

// The lettering of the side windows: script for labels and buttons (as the
// board's captions), a clean sans for numbers and running text.
// A label centred on (cx, cy) by its ink, over a soft shadow one pixel down right.
void Centred(cairo_t* cr, const std::string& text, const art::Font& font, double cx, double cy, const art::Color& color);

art::Font ScriptFont(double sizePx);
art::Font SansFont(double sizePx, bool bold = true);

// Deep blue textured background over the whole canvas: a vertical gradient
// with fine grain and soft mottling from a fixed seed, so it is identical on
// every run.
void BlueTexture(art::Canvas& canvas, uint32_t seed);
// Adds grain (±amplitude per channel) to the rectangle, from a fixed seed.
void Grain(art::Canvas& canvas, const Rect& area, uint32_t seed, int amplitude);

// A copper rim line along a rounded rectangle (radius 0 = square corners),
// lit at the top, darker at the bottom.
void CopperRim(cairo_t* cr, double x, double y, double w, double h, double radius, double width);

// The edge of a window whose region rounds its corners by 12 pixels (24 x 24
// ellipses): everything outside the region becomes the outside colour, and
// every pixel the region keeps along the edge is painted fully (a dark
// copper outline, then a copper line), because the region cuts hard and an
// antialiased fringe would show as a ragged dark seam.
void RoundedWindowEdge(cairo_t* cr, int width, int height);

// A display field sunk into the panel: the rectangle itself is pure black
// (the digits are drawn into it at run time), a bevel lies just outside it
// (shadow above and left, light below and right).
void SunkenField(cairo_t* cr, const Rect& field, const art::Color& panel);

// A word centred in an area. At rest it is pale lettering with a soft dark
// shadow; lit it is gold with a copper glow. Everything the lit look adds
// stays one pixel inside the area, so an overlay cut at the area fits
// seamlessly onto the picture beneath.
void Lettering(art::Canvas& canvas, const std::string& text, const art::Font& font, const Rect& area,
               bool lit, double dx = 0, double dy = 0);

// Script lettering in copper, lit from above: a soft black shadow offset
// by `shadowOffset`, then the text filled with a copper gradient running
// from centreY - halfHeight to centreY + halfHeight. (x, y) is the text origin.
void CopperScript(cairo_t* cr, const char* text, const art::Font& font, double x, double y, double centreY,
                  double halfHeight, double shadowAlpha, double shadowOffset);

// A choice (4, 5, 6, 8, 10, Yes, No) centred in its area. Chosen, it sits on
// a small copper plate drawn one pixel inside the area.
void Choice(art::Canvas& canvas, const std::string& text, const art::Font& font, const Rect& area,
            bool chosen);

// A soft glow of the text's shape in the given colour, clipped to `clip`.
void TextGlow(art::Canvas& canvas, const std::string& text, const art::Font& font, double x, double y,
              const art::Color& color, double alpha, int radius, const Rect& clip);

// Writes the canvas as <resources>/<window>/<name>.bmp (24-bit).
void WritePicture(const art::Canvas& canvas, const std::filesystem::path& resourcesDir,
                  const std::string& window, const std::string& name);
// Writes the rectangle `area` of the canvas as its own picture.
void WriteCut(const art::Canvas& canvas, const Rect& area, const std::filesystem::path& resourcesDir,
              const std::string& window, const std::string& name);

// Draws a window with nothing lit (lit = -1) or with one item lit; overlays
// are cut out of the lit renderings, so they are the picture beneath except
// where the light falls.
using Scene = std::function<void(art::Canvas&, int lit)>;
art::Canvas RenderScene(int width, int height, const Scene& scene, int lit);

// Each window's pictures.
void GenerateTimerArt(const std::filesystem::path& resourcesDir);
void GenerateCombsArt(const std::filesystem::path& resourcesDir);
void GenerateMessageArt(const std::filesystem::path& resourcesDir);
void GenerateOptionsArt(const std::filesystem::path& resourcesDir);
void GenerateHighArt(const std::filesystem::path& resourcesDir);
void GenerateAboutArt(const std::filesystem::path& resourcesDir);
void GenerateStatsArt(const std::filesystem::path& resourcesDir);

}  // namespace side
