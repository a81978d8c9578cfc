// BoardArt: the board picture and every picture laid over it (see
// BoardArt.h). Everything that covers part of the board is cut from the very
// board it covers and then drawn on, so it lines up pixel for pixel.
#include "BoardArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "ArtCommon.h"
#include "BoardGeometry.h"
#include "BoardPalette.h"
#include "BoardParts.h"

namespace board {

using art::Canvas;
using art::Color;

std::filesystem::path MainDir(const std::filesystem::path& resourcesDir) { return resourcesDir / "main"; }

namespace {

// A small, fixed per-pixel grain so the blue reads as a surface, not a fill.
int Grain(int x, int y)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<int>(h % 5) - 2;
}

uint32_t AddGrain(uint32_t rgb, int g)
{
    auto ch = [&](int shift) {
        const int v = static_cast<int>((rgb >> shift) & 0xFF) + g;
        return static_cast<uint32_t>(v < 0 ? 0 : (v > 255 ? 255 : v)) << shift;
    };
    return ch(16) | ch(8) | ch(0);
}

// Signed distances (negative inside) to the parts of the window's shape,
// so the bevel along its outline is smooth where the region itself can only
// be cut pixel by pixel.
double SdRoundRect(double px, double py, double l, double t, double r, double b, double radius)
{
    const double qx = std::abs(px - (l + r) / 2) - (r - l) / 2 + radius;
    const double qy = std::abs(py - (t + b) / 2) - (b - t) / 2 + radius;
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - radius;
}

double SdEllipse(double px, double py, double l, double t, double r, double b)
{
    const double rx = (r - l) / 2, ry = (b - t) / 2, dx = px - (l + r) / 2, dy = py - (t + b) / 2;
    const double k0 = std::hypot(dx / rx, dy / ry), k1 = std::hypot(dx / (rx * rx), dy / (ry * ry));
    return k1 > 0 ? k0 * (k0 - 1) / k1 : -std::min(rx, ry);
}

double ShapeDistance(double px, double py)
{
    double united = 1e9, cut = -1e9;
    for (const OutlineStep& step : Outline) {
        const double l = step.Left, t = step.Top, r = step.Right, b = step.Bottom;
        const double d = step.Shape == OutlineStep::Kind::Ellipse ? SdEllipse(px, py, l, t, r, b)
                         : step.Shape == OutlineStep::Kind::RoundRect ? SdRoundRect(px, py, l, t, r, b, step.CornerW / 2.0)
                                                                       : SdRoundRect(px, py, l, t, r, b, 0);
        if (step.Cut)
            cut = std::max(cut, -d);
        else
            united = std::min(united, d);
    }
    return std::max(united, cut);
}

// The bare surface: blue lit from the upper left, grain, and a bevel along
// the window's outline (the edge facing the light is bright, the far edge
// dark).
void DrawSurface(Canvas& c)
{
    const Color light = Color::Hex(BoardLight), dark = Color::Hex(BoardDark);
    const Color sheen = Color::Hex(0x4C86E8);
    constexpr double BevelWidth = 5.5;
    // Pixel by pixel at the canvas's own density: (px, py) is the pixel's
    // centre in 1x units, (x, y) its 1x position (the pixel itself at 1x).
    const int s = c.Scale();
    const double half = 0.5 / s;
    for (int Y = 0; Y < c.PixelHeight(); ++Y) {
        for (int X = 0; X < c.PixelWidth(); ++X) {
            if (!InShape(X, Y, s)) {
                c.SetPixel(X, Y, Outside);
                continue;
            }
            const double px = (X + 0.5) / s, py = (Y + 0.5) / s;
            const double x = px - 0.5, y = py - 0.5;
            const double t = (x * 0.55 + y) / (Width * 0.55 + Height);
            Color col = light.Mix(dark, t);
            // A broad soft sheen over the upper left of the panel.
            const double sx = (x - 120.0) / 260.0, sy = (y - 70.0) / 200.0;
            const double sh = std::exp(-(sx * sx + sy * sy) * 2.2);
            col = col.Mix(sheen, 0.22 * sh);

            const double depth = std::max(0.0, -ShapeDistance(px, py));
            if (depth < BevelWidth) {
                // The outward normal from the distance's gradient; light from
                // the upper left makes an edge facing up and left bright.
                const double gx = ShapeDistance(px + half, py) - ShapeDistance(px - half, py);
                const double gy = ShapeDistance(px, py + half) - ShapeDistance(px, py - half);
                const double len = std::hypot(gx, gy);
                const double nx = len > 0 ? gx / len : 0, ny = len > 0 ? gy / len : 0;
                const double facing = (-nx - ny) / std::sqrt(2.0);
                const double fall = std::pow(1.0 - depth / BevelWidth, 1.6);
                const double f = facing * fall;
                if (f > 0)
                    col = col.Mix(Color::Hex(0xBFD6FF), 0.55 * f);
                else
                    col = col.Scaled(1.0 + 0.6 * f);
            }
            // The grain is per pixel at every scale: a surface texture, not
            // a shape, so it stays fine instead of growing coarse.
            c.SetPixel(X, Y, AddGrain(col.ToRgb(), Grain(X, Y)));
        }
    }
}

// A shallow tray sunk into the board (the colour column, the peg strip).
void DrawTray(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    cairo_save(cr);
    art::RoundedRectPath(cr, x, y, w, h, radius);
    cairo_clip_preserve(cr);
    cairo_set_source_rgba(cr, 0, 0, 0.05, 0.22);
    cairo_fill_preserve(cr);
    // Inner walls: the upper-left wall is in shadow, the lower-right lit.
    cairo_pattern_t* wall = cairo_pattern_create_linear(x, y, x + w * 0.15, y + h);
    cairo_pattern_add_color_stop_rgba(wall, 0, 0, 0, 0.02, 0.65);
    cairo_pattern_add_color_stop_rgba(wall, 0.5, 0, 0, 0.02, 0.25);
    cairo_pattern_add_color_stop_rgba(wall, 1, 0.75, 0.85, 1, 0.45);
    cairo_set_source(cr, wall);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
    cairo_pattern_destroy(wall);
    cairo_restore(cr);
}

// An engraved groove along an arc.
void Groove(cairo_t* cr, double cx, double cy, double r, double a0, double a1)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx + 0.8, cy + 0.8, r, a0, a1);
    cairo_set_source_rgba(cr, 0.7, 0.82, 1, 0.22);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r, a0, a1);
    cairo_set_source_rgba(cr, 0, 0, 0.04, 0.45);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_restore(cr);
}

const Color kBoardMid = Color::Hex(0x143A92);

// The board without anything that changes: surface, trays, holes, peg
// holes, sockets and the recesses of the buttons and toggles.
Canvas DrawGround()
{
    Canvas c(Width, Height);
    DrawSurface(c);
    cairo_t* cr = c.Cr();

    DrawTray(cr, 6.5, 38.5, 43, 332, 12);   // colour column
    DrawTray(cr, 219.5, 15.5, 58, 378, 8);  // answer pegs

    const Color floor = Color::Hex(HoleFloor);
    for (int col = 1; col <= 10; ++col) {
        const Point p = ColorCentre(col);
        art::BevelledHole(cr, p.X, p.Y, 14.2, 15.8, kBoardMid, floor.Mix(Color::Hex(0x10204A), 0.5));
    }
    for (int r = 1; r <= 12; ++r)
        for (int pos = 1; pos <= 5; ++pos) {
            const Point p = HoleCentre(pos, r);
            art::BevelledHole(cr, p.X, p.Y, 12.9, 15.7, kBoardMid, floor);
        }
    for (int r = 1; r <= 12; ++r)
        for (int k = 1; k <= 5; ++k) {
            const PointD p = PegCentre(k, r);
            art::BevelledHole(cr, p.X, p.Y, 2.5, 4.2, kBoardMid, floor);
        }

    // The right part: a groove ring that carries the bullets from the top
    // clockwise round to the left; the upper-left quarter stays free for
    // the captions.
    Groove(cr, BigBallCentre.X, BigBallCentre.Y, 86, -M_PI / 2, M_PI);
    art::BevelledHole(cr, BigBallCentre.X, BigBallCentre.Y, 33.5, 36.0, kBoardMid, floor);
    for (int i = 1; i <= 7; ++i) {
        const Point p = BulletCentre[static_cast<unsigned>(i)];
        art::BevelledHole(cr, p.X, p.Y, 12.2, 14.6, kBoardMid, floor);
    }
    // The toggles' wells.
    for (int t = 1; t <= 2; ++t) {
        const Rect s = ToggleSquare(t);
        cairo_save(cr);
        art::RoundedRectPath(cr, s.Left + 1.5, s.Top + 1.5, 29, 29, 6);
        cairo_pattern_t* wall = cairo_pattern_create_linear(s.Left, s.Top, s.Left + 32, s.Top + 32);
        cairo_pattern_add_color_stop_rgba(wall, 0, 0, 0, 0.03, 0.75);
        cairo_pattern_add_color_stop_rgba(wall, 1, 0.05, 0.12, 0.3, 0.55);
        cairo_set_source(cr, wall);
        cairo_fill(cr);
        cairo_pattern_destroy(wall);
        cairo_restore(cr);
    }
    c.Flatten();
    return c;
}

// The rectangle r of the canvas as a picture of its own.
Canvas Crop(const Canvas& src, const Rect& r)
{
    Canvas out(r.Width, r.Height);
    out.CopyFrom(src, r.Left, r.Top, r.Width, r.Height, 0, 0);
    return out;
}

// Draws into a crop as if drawing on the board: board coordinates.
cairo_t* BoardCoords(Canvas& crop, const Rect& r)
{
    cairo_t* cr = crop.Cr();
    crop.ResetMatrix();
    cairo_translate(cr, -r.Left, -r.Top);
    return cr;
}

void Save(const Canvas& c, const std::filesystem::path& dir, const char* name)
{
    art::WriteBmp24(c, dir / (std::string(name) + ".bmp"));
}

}  // namespace

// ---- Shared pieces ---------------------------------------------------------

void DrawBall(cairo_t* cr, int c, double cx, double cy, double radius)
{
    art::GlossySphere(cr, cx, cy, radius, Color::Hex(BallColors[static_cast<unsigned>(c - 1)]));
}

void DrawPeg(cairo_t* cr, bool red, double cx, double cy)
{
    art::SphereStyle style;
    style.Shadow = red ? 0.55 : 0.42;
    style.Specular = 1.0;
    style.Bounce = 0.15;
    // A dark collar first, so even the white peg stands off a pale board.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx + 0.3, cy + 0.4, 4.9, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 0, 0, 0.03, 0.75);
    cairo_fill(cr);
    cairo_restore(cr);
    art::GlossySphere(cr, cx, cy, 4.4, Color::Hex(red ? PegRed : PegWhite), style);
}

void DrawPlug(cairo_t* cr, double cx, double cy, double radius)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_pattern_t* face = cairo_pattern_create_linear(cx - radius, cy - radius, cx + radius, cy + radius);
    const Color top = Color::Hex(0x2A62C8), bottom = Color::Hex(0x0E2C78);
    cairo_pattern_add_color_stop_rgb(face, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(face, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    // The seam round the plug.
    cairo_set_source_rgba(cr, 0, 0, 0.04, 0.7);
    cairo_set_line_width(cr, radius > 6 ? 1.2 : 0.8);
    cairo_stroke(cr);
    if (radius > 6) {
        // A screw slot, so it reads as a fitted plug and not a flat spot.
        cairo_move_to(cr, cx - radius * 0.45, cy + radius * 0.45);
        cairo_line_to(cr, cx + radius * 0.45, cy - radius * 0.45);
        cairo_set_source_rgba(cr, 0, 0, 0.05, 0.55);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - radius * 0.45 + 0.8, cy + radius * 0.45 + 0.8);
        cairo_line_to(cr, cx + radius * 0.45 + 0.8, cy - radius * 0.45 + 0.8);
        cairo_set_source_rgba(cr, 0.7, 0.82, 1, 0.3);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

void DrawButtonBall(cairo_t* cr, double cx, double cy, double radius, bool lit)
{
    if (lit) {
        // A warm glow in the well round the lit button.
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, radius, cx, cy, radius + 3.5);
        const Color cl = Color::Hex(CopperLight);
        cairo_pattern_add_color_stop_rgba(glow, 0, cl.r, cl.g, cl.b, 0.55);
        cairo_pattern_add_color_stop_rgba(glow, 1, cl.r, cl.g, cl.b, 0);
        cairo_arc(cr, cx, cy, radius + 3.5, 0, 2 * M_PI);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
        cairo_restore(cr);
        art::MetalSphere(cr, cx, cy, radius, Color::Hex(CopperLight), Color::Hex(CopperDark));
    } else {
        art::MetalSphere(cr, cx, cy, radius, Color::Hex(SteelLight), Color::Hex(SteelDark));
    }
}

namespace {

void ClockIcon(cairo_t* cr, double cx, double cy, const Color& ink, double alpha)
{
    art::SetSource(cr, ink, alpha);
    cairo_set_line_width(cr, 1.6);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 6.6, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx, cy - 4.6);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + 3.4, cy + 1.2);
    cairo_stroke(cr);
}

void CombsIcon(cairo_t* cr, double cx, double cy, bool on)
{
    // Four small balls: the combinations still open.
    const int colours[4] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
        const double x = cx + (i % 2 ? 4.2 : -4.2), y = cy + (i / 2 ? 4.2 : -4.2);
        if (on) {
            DrawBall(cr, colours[i], x, y, 3.6);
        } else {
            art::GlossySphere(cr, x, y, 3.6, Color::Hex(0x6F7F9E));
        }
    }
}

}  // namespace

void DrawToggle(cairo_t* cr, int t, bool on)
{
    const Rect s = ToggleSquare(t);
    const double off = on ? 1.0 : 0.0;
    const double x = s.Left + 3.5 + off, y = s.Top + 3.5 + off, w = 24, h = 24;
    cairo_save(cr);
    if (!on) {
        // Drop shadow of the raised key.
        art::RoundedRectPath(cr, x + 1.2, y + 1.6, w, h, 5);
        cairo_set_source_rgba(cr, 0, 0, 0.02, 0.55);
        cairo_fill(cr);
    }
    art::RoundedRectPath(cr, x, y, w, h, 5);
    cairo_pattern_t* face = cairo_pattern_create_linear(x, y, x, y + h);
    const Color top = Color::Hex(on ? 0x18306A : 0x4D73BC), bottom = Color::Hex(on ? 0x22438A : 0x1F3F86);
    cairo_pattern_add_color_stop_rgb(face, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(face, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    // Rim: lit at the upper left when raised, shaded there when pressed.
    cairo_pattern_t* rim = cairo_pattern_create_linear(x, y, x + w, y + h);
    if (on) {
        cairo_pattern_add_color_stop_rgba(rim, 0, 0, 0, 0.02, 0.85);
        cairo_pattern_add_color_stop_rgba(rim, 1, 0.6, 0.75, 1, 0.35);
    } else {
        cairo_pattern_add_color_stop_rgba(rim, 0, 0.85, 0.92, 1, 0.75);
        cairo_pattern_add_color_stop_rgba(rim, 1, 0, 0, 0.02, 0.7);
    }
    cairo_set_source(cr, rim);
    cairo_set_line_width(cr, 1.4);
    art::RoundedRectPath(cr, x + 0.7, y + 0.7, w - 1.4, h - 1.4, 4.3);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);

    const double cx = x + w / 2, cy = y + h / 2;
    if (t == 1) {
        if (on) {
            // The lit dial glows.
            cairo_new_path(cr);
            cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 11);
            const Color led = Color::Hex(LedLit);
            cairo_pattern_add_color_stop_rgba(glow, 0, led.r, led.g, led.b, 0.45);
            cairo_pattern_add_color_stop_rgba(glow, 1, led.r, led.g, led.b, 0);
            cairo_set_source(cr, glow);
            cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
            ClockIcon(cr, cx, cy, Color::Hex(0xFFE2A0), 1.0);
        } else {
            ClockIcon(cr, cx, cy, Color::Hex(0xA9BCE0), 0.85);
        }
    } else {
        CombsIcon(cr, cx, cy, on);
    }
    cairo_restore(cr);
    cairo_new_path(cr);
}

}  // namespace board

using namespace board;

void GenerateBoardArt(const std::filesystem::path& resourcesDir)
{
    const std::filesystem::path dir = MainDir(resourcesDir);
    const Canvas ground = DrawGround();

    // The board: ground, raised toggles, the ten balls, steel buttons.
    Canvas boardPic(Width, Height);
    boardPic.CopyFrom(ground, 0, 0, Width, Height, 0, 0);
    {
        cairo_t* cr = boardPic.Cr();
        DrawToggle(cr, 1, false);
        DrawToggle(cr, 2, false);
        for (int c = 1; c <= 10; ++c) {
            const Point p = ColorCentre(c);
            DrawBall(cr, c, p.X, p.Y, ColumnBallRadius);
        }
        DrawButtonBall(cr, BigBallCentre.X, BigBallCentre.Y, 31, false);
        for (int i = 1; i <= 7; ++i) {
            const Point p = BulletCentre[static_cast<unsigned>(i)];
            DrawButtonBall(cr, p.X, p.Y, 10.6, false);
        }
        boardPic.Flatten();
    }
    // Stored, not compressed, at 2x and 3x: every start-up draws it whole.
    art::WriteBmp24Stored(boardPic, dir / "ImgBoard.bmp");

    // Empty sockets for the colours not in play: the ground beneath.
    Save(Crop(ground, NoBalls1), dir, "ImgNoBalls1");
    Save(Crop(ground, NoBalls2), dir, "ImgNoBalls2");

    // The fifth hole and peg columns, plugged, for games of four.
    {
        Canvas col = Crop(boardPic, BallColumn);
        cairo_t* cr = BoardCoords(col, BallColumn);
        for (int r = 1; r <= 12; ++r) {
            const Point p = HoleCentre(5, r);
            DrawPlug(cr, p.X, p.Y, 13.6);
        }
        col.Flatten();
        Save(col, dir, "ImgBallColumn");
    }
    {
        Canvas col = Crop(boardPic, PegColumn);
        cairo_t* cr = BoardCoords(col, PegColumn);
        for (int r = 1; r <= 12; ++r) {
            const PointD p = PegCentre(5, r);
            DrawPlug(cr, p.X, p.Y, 3.6);
        }
        col.Flatten();
        Save(col, dir, "ImgPegColumn");
    }

    // Peg sheets: the peg area with a peg in every hole.
    for (const bool red : {false, true}) {
        Canvas sheet = Crop(boardPic, PegArea);
        cairo_t* cr = BoardCoords(sheet, PegArea);
        // Each peg stays inside its own 10 x 10 cell: the game copies the
        // cell alone, and cells abut, so a peg reaching over the edge would
        // show as a sliver beside a neighbour's peg.
        for (int r = 1; r <= 12; ++r)
            for (int k = 1; k <= 5; ++k) {
                const Rect cell = PegCell(k, r);
                const PointD p = PegCentre(k, r);
                cairo_save(cr);
                cairo_rectangle(cr, cell.Left, cell.Top, cell.Width, cell.Height);
                cairo_clip(cr);
                DrawPeg(cr, red, p.X, p.Y);
                cairo_restore(cr);
            }
        sheet.Flatten();
        Save(sheet, dir, red ? "ImgRedPegs" : "ImgWhitePegs");
    }

    // Lit buttons: copper over the ground of their wells.
    {
        Canvas big = Crop(ground, BigBallSquare);
        DrawButtonBall(BoardCoords(big, BigBallSquare), BigBallCentre.X, BigBallCentre.Y, 31, true);
        big.Flatten();
        Save(big, dir, "ImgBigBall");
    }
    {
        Canvas bullets(224, 32);
        for (int i = 1; i <= 7; ++i) {
            const Rect sq = BulletSquare(i);
            Canvas one = Crop(ground, sq);
            const Point p = BulletCentre[static_cast<unsigned>(i)];
            DrawButtonBall(BoardCoords(one, sq), p.X, p.Y, 10.6, true);
            one.Flatten();
            bullets.CopyFrom(one, 0, 0, 32, 32, 32 * (i - 1), 0);
        }
        Save(bullets, dir, "ImgBullets");
    }
    {
        Canvas toggles(64, 32);
        for (int t = 1; t <= 2; ++t) {
            const Rect sq = ToggleSquare(t);
            Canvas one = Crop(ground, sq);
            DrawToggle(BoardCoords(one, sq), t, true);
            one.Flatten();
            toggles.CopyFrom(one, 0, 0, 32, 32, 32 * (t - 1), 0);
        }
        Save(toggles, dir, "imgToggles");
    }

    GenerateCaptions(boardPic, dir);
    GenerateBoardSprites(dir);
}
