// BallSymbols: the engraved symbols that tell the balls apart without
// their colour. Each of the ten balls carries its own simple silhouette
// (dot, triangles, square, plus, ring, star, dome, cross, bars), cut
// into the glossy surface: a dark groove with a light lower-right wall, as
// the board's light from the upper left falls into it; the lit wall keeps
// the groove readable on the darkest balls too.
//
// Two sheets come out, both in the balls' frame order: the hole balls (the
// plain balls' size, drawn with their mask) and the glyph alone over the
// larger balls of the colour column, with a mask per frame that covers just
// the engraving, so the board's own ball stays round it.
#include <cmath>

#include "ArtCommon.h"
#include "BoardPalette.h"
#include "BoardParts.h"

namespace board {

using art::Canvas;
using art::Color;

namespace {

enum class Glyph { Disc, TriangleUp, Square, Plus, Ring, Dome, Cross, Star, Bars, TriangleDown };

// In the balls' order: red, yellow, green, blue, grey, violet, orange, teal,
// brown, olive. Colours that weak eyes mix up (red, orange, olive and green
// for red-green weakness; green, teal and grey for blue-yellow weakness)
// get silhouettes that share the least.
constexpr Glyph BallGlyph[10] = {Glyph::Disc, Glyph::Star,    Glyph::TriangleUp, Glyph::Plus, Glyph::Ring,
                                 Glyph::Dome, Glyph::Cross, Glyph::Square, Glyph::TriangleDown, Glyph::Bars};

void Polygon(cairo_t* cr, const double (*pts)[2], int n, double cx, double cy, double s)
{
    cairo_move_to(cr, cx + s * pts[0][0], cy + s * pts[0][1]);
    for (int i = 1; i < n; ++i) cairo_line_to(cr, cx + s * pts[i][0], cy + s * pts[i][1]);
    cairo_close_path(cr);
}

// The glyph's outline around (cx, cy); s is half its size. Filled with the
// even-odd rule (the ring's hole).
void GlyphPath(cairo_t* cr, Glyph g, double cx, double cy, double s)
{
    switch (g) {
        case Glyph::Disc: cairo_arc(cr, cx, cy, 0.56 * s, 0, 2 * M_PI); break;
        case Glyph::Ring:
            cairo_arc(cr, cx, cy, 0.98 * s, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, 0.50 * s, 0, 2 * M_PI);
            break;
        case Glyph::Square: cairo_rectangle(cr, cx - 0.72 * s, cy - 0.72 * s, 1.44 * s, 1.44 * s); break;
        case Glyph::Dome:  // a half disc on its flat side
            cairo_arc(cr, cx, cy + 0.42 * s, 1.02 * s, M_PI, 2 * M_PI);
            cairo_close_path(cr);
            break;
        case Glyph::TriangleUp: {
            const double p[3][2] = {{0, -1.0}, {1.05, 0.86}, {-1.05, 0.86}};
            Polygon(cr, p, 3, cx, cy, s);
            break;
        }
        case Glyph::TriangleDown: {
            const double p[3][2] = {{0, 1.0}, {-1.05, -0.86}, {1.05, -0.86}};
            Polygon(cr, p, 3, cx, cy, s);
            break;
        }
        case Glyph::Plus: {
            const double w = 0.25;
            const double p[12][2] = {{-w, -1}, {w, -1}, {w, -w}, {1, -w}, {1, w}, {w, w},
                                     {w, 1},   {-w, 1}, {-w, w}, {-1, w}, {-1, -w}, {-w, -w}};
            Polygon(cr, p, 12, cx, cy, s);
            break;
        }
        case Glyph::Cross: {
            // The plus turned by 45 degrees, arms a little longer.
            const double w = 0.22, l = 1.08;
            const double base[12][2] = {{-w, -l}, {w, -l}, {w, -w}, {l, -w}, {l, w}, {w, w},
                                        {w, l},   {-w, l}, {-w, w}, {-l, w}, {-l, -w}, {-w, -w}};
            double p[12][2];
            const double c = std::cos(M_PI / 4), sn = std::sin(M_PI / 4);
            for (int i = 0; i < 12; ++i) {
                p[i][0] = c * base[i][0] - sn * base[i][1];
                p[i][1] = sn * base[i][0] + c * base[i][1];
            }
            Polygon(cr, p, 12, cx, cy, s);
            break;
        }
        case Glyph::Star: {
            double p[10][2];
            for (int i = 0; i < 10; ++i) {
                const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 == 0 ? 1.15 : 0.42;
                p[i][0] = r * std::cos(a);
                p[i][1] = r * std::sin(a) + 0.08;
            }
            Polygon(cr, p, 10, cx, cy, s);
            break;
        }
        case Glyph::Bars:
            cairo_rectangle(cr, cx - 0.92 * s, cy - 0.86 * s, 1.84 * s, 0.62 * s);
            cairo_rectangle(cr, cx - 0.92 * s, cy + 0.24 * s, 1.84 * s, 0.62 * s);
            break;
    }
}

// The symbol of ball c engraved at (cx, cy) on a ball of the given radius.
void EngraveSymbol(cairo_t* cr, int c, double cx, double cy, double radius)
{
    const Glyph g = BallGlyph[c - 1];
    const Color base = Color::Hex(BallColors[static_cast<unsigned>(c - 1)]);
    const double s = 0.46 * radius;
    const double lip = 0.075 * radius;  // how far the lit wall shows
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    // The lower-right wall of the groove, in the light.
    cairo_new_path(cr);
    GlyphPath(cr, g, cx + lip, cy + lip, s);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.62);
    cairo_fill(cr);
    // The groove itself, deep in the ball's own colour.
    cairo_new_path(cr);
    GlyphPath(cr, g, cx, cy, s);
    art::SetSource(cr, base.Scaled(0.22), 0.95);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

}  // namespace

void GenerateSymbolBalls(const std::filesystem::path& dir)
{
    // The hole balls: the plain balls with their symbols, inside the plain
    // balls' one mask (ImgMask), so every sprite rule of the plain sheet holds.
    Canvas balls(32, 320);
    for (int c = 1; c <= 10; ++c) {
        const double cy = 32.0 * (c - 1) + 16.0;
        DrawBall(balls.Cr(), c, 16.0, cy, 12.0);
        EngraveSymbol(balls.Cr(), c, 16.0, cy, 12.0);
    }
    KeepBallDiscs(balls);
    art::WriteBmp24(balls, dir / "ImgSymbols.bmp");

    // The colour column: the column's balls (centred in their 32 x 32
    // square, as on the board) engraved, kept only where the engraving
    // changed the ball; the board's ball shows everywhere else.
    Canvas plain(32, 320), engraved(32, 320);
    for (int c = 1; c <= 10; ++c) {
        const double cy = 32.0 * (c - 1) + 16.0;
        DrawBall(plain.Cr(), c, 16.0, cy, ColumnBallRadius);
        DrawBall(engraved.Cr(), c, 16.0, cy, ColumnBallRadius);
        EngraveSymbol(engraved.Cr(), c, 16.0, cy, ColumnBallRadius);
    }
    plain.Flatten();
    engraved.Flatten();
    Canvas column(32, 320), columnMask(32, 320);
    for (int y = 0; y < column.PixelHeight(); ++y)
        for (int x = 0; x < column.PixelWidth(); ++x) {
            const bool ink = engraved.Pixel(x, y) != plain.Pixel(x, y);
            column.SetPixel(x, y, ink ? engraved.Pixel(x, y) : 0);
            columnMask.SetPixel(x, y, ink ? 0x000000 : 0xFFFFFF);
        }
    art::WriteBmp24(column, dir / "ImgSymbolColumn.bmp");
    art::WriteBmp24(columnMask, dir / "ImgSymbolColumnMask.bmp");
}

}  // namespace board
