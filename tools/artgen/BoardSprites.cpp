// BoardSprites: the main window's pictures that stand on pure black: the
// ten balls and their mask, the note marks and their masks, and the digit
// strip the side windows count with.
//
// A masked sprite is drawn with AND (mask) then OR (image), which cannot
// blend: so every mask is black exactly where its image has any ink, and
// the image's soft edges fade to black inside the mask, never outside it.
#include <cmath>

#include "ArtCommon.h"
#include "BoardPalette.h"
#include "BoardParts.h"

namespace board {

using art::Canvas;
using art::Color;

namespace {

// Clears to black every pixel the mask leaves white; the sprite rule holds
// even where cairo left a trace too faint to count as ink.
void BlackOutside(Canvas& sprite, const Canvas& mask)
{
    for (int y = 0; y < sprite.PixelHeight(); ++y)
        for (int x = 0; x < sprite.PixelWidth(); ++x)
            if (mask.Pixel(x, y) == 0xFFFFFF) sprite.SetPixel(x, y, 0);
    sprite.Flatten();
}

void GenerateBalls(const std::filesystem::path& dir)
{
    // Every ball is the same disc, drawn 24 x 24 from (4, 4) of its frame.
    Canvas balls(32, 320);
    for (int c = 1; c <= 10; ++c) DrawBall(balls.Cr(), c, 16.0, 32.0 * (c - 1) + 16.0, 12.0);
    const Canvas mask = KeepBallDiscs(balls);
    art::WriteBmp24(balls, dir / "ImgColors.bmp");
    art::WriteBmp24(mask, dir / "ImgMask.bmp");
}

void GenerateNoteMarks(const std::filesystem::path& dir)
{
    Canvas marks(36, 18);
    cairo_t* cr = marks.Cr();
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    // Frame 1: a red cross, with a black keyline so it reads on any ball.
    auto cross = [&](double width, const Color& c) {
        cairo_move_to(cr, 4.5, 4.5);
        cairo_line_to(cr, 13.5, 13.5);
        cairo_move_to(cr, 13.5, 4.5);
        cairo_line_to(cr, 4.5, 13.5);
        art::SetSource(cr, c);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    };
    cross(5.6, Color{0, 0, 0});
    cross(3.0, Color::Hex(0xFF3B30));
    // Frame 2: a green ring.
    auto ring = [&](double width, const Color& c) {
        cairo_new_path(cr);
        cairo_arc(cr, 27.0, 9.0, 5.0, 0, 2 * M_PI);
        art::SetSource(cr, c);
        cairo_set_line_width(cr, width);
        cairo_stroke(cr);
    };
    ring(5.4, Color{0, 0, 0});
    ring(2.8, Color::Hex(0x3CF06A));
    const Canvas mask = MaskOf(marks);
    BlackOutside(marks, mask);
    art::WriteBmp24(marks, dir / "imgXO.bmp");
    art::WriteBmp24(mask, dir / "imgXOMask.bmp");
}

// Seven-segment digits in amber on black. Segments a..g as usual:
//  aaa
// f   b
//  ggg
// e   c
//  ddd
enum Seg { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

void Segment(cairo_t* cr, int seg, double ox, double oy)
{
    // Cell-local geometry: digit box x 1.5..10.5, y 1.5..17.5; segment 2 thick.
    const double l = ox + 1.6, r = ox + 10.4, t = oy + 1.5, m = oy + 9.5, b = oy + 17.5, k = 1.0;
    auto horiz = [&](double y) {
        cairo_move_to(cr, l + 0.6, y);
        cairo_line_to(cr, l + 0.6 + k, y - k);
        cairo_line_to(cr, r - 0.6 - k, y - k);
        cairo_line_to(cr, r - 0.6, y);
        cairo_line_to(cr, r - 0.6 - k, y + k);
        cairo_line_to(cr, l + 0.6 + k, y + k);
        cairo_close_path(cr);
    };
    auto vert = [&](double x, double y0, double y1) {
        cairo_move_to(cr, x, y0 + 0.6);
        cairo_line_to(cr, x + k, y0 + 0.6 + k);
        cairo_line_to(cr, x + k, y1 - 0.6 - k);
        cairo_line_to(cr, x, y1 - 0.6);
        cairo_line_to(cr, x - k, y1 - 0.6 - k);
        cairo_line_to(cr, x - k, y0 + 0.6 + k);
        cairo_close_path(cr);
    };
    if (seg & A) horiz(t + k);
    if (seg & G) horiz(m);
    if (seg & D) horiz(b - k);
    if (seg & F) vert(l + k, t + k, m);
    if (seg & B) vert(r - k, t + k, m);
    if (seg & E) vert(l + k, m, b - k);
    if (seg & C) vert(r - k, m, b - k);
}

void GenerateDigits(const std::filesystem::path& dir)
{
    // Cells 0..8 are the digits 1..9, cell 9 is 0, 10 blank, 11 slash,
    // 12 minus.
    const int digitSegs[10] = {A | B | C | D | E | F, B | C, A | B | G | E | D, A | B | G | C | D, F | G | B | C,
                               A | F | G | C | D,     A | F | G | E | C | D, A | B | C, A | B | C | D | E | F | G,
                               A | B | C | D | F | G};
    Canvas strip(160, 19);
    strip.Fill(0x000000);
    cairo_t* cr = strip.Cr();
    const Color lit = Color::Hex(LedLit);
    // Unlit segments stay black: a faint "8" in a blank cell would read as
    // a digit beside the real ones (" 7/ 93" must not look like "87/893").
    for (int cell = 0; cell <= 12; ++cell) {
        const double ox = 12.0 * cell;
        if (cell <= 9) {
            Segment(cr, digitSegs[cell == 9 ? 0 : cell + 1], ox, 0);
        } else if (cell == 11) {
            cairo_move_to(cr, ox + 9.6, 2.0);
            cairo_line_to(cr, ox + 2.4, 17.0);
            cairo_set_line_width(cr, 2.0);
            art::SetSource(cr, lit);
            cairo_stroke(cr);
        } else if (cell == 12) {
            Segment(cr, G, ox, 0);
        }
        art::SetSource(cr, lit);
        cairo_fill(cr);
    }
    strip.Flatten();
    // Sixteen shades from black to full amber: the anti-aliased edges keep
    // their softness in four bits.
    std::vector<uint32_t> palette;
    for (int i = 0; i < 16; ++i) palette.push_back(Color{0, 0, 0}.Mix(lit, i / 15.0).ToRgb());
    art::WriteBmp4(strip, palette, dir / "imgDigits.bmp");
}

}  // namespace

Canvas MaskOf(const Canvas& sprite)
{
    Canvas mask(sprite.Width(), sprite.Height());
    for (int y = 0; y < sprite.PixelHeight(); ++y)
        for (int x = 0; x < sprite.PixelWidth(); ++x)
            mask.SetPixel(x, y, sprite.Alpha(x, y) > 0 ? 0x000000 : 0xFFFFFF);
    return mask;
}

Canvas KeepBallDiscs(Canvas& balls)
{
    Canvas disc(32, 32);
    DrawBall(disc.Cr(), 1, 16.0, 16.0, 12.0);
    Canvas mask = MaskOf(disc);
    const int cell = disc.PixelWidth();  // a frame's side in pixels
    for (int c = 0; c < 10; ++c)
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x)
                if (mask.Pixel(x, y) == 0xFFFFFF) balls.SetPixel(x, cell * c + y, 0);
    balls.Flatten();
    return mask;
}


void GenerateBoardSprites(const std::filesystem::path& mainDir)
{
    GenerateBalls(mainDir);
    GenerateSymbolBalls(mainDir);
    GenerateNoteMarks(mainDir);
    GenerateDigits(mainDir);
}

}  // namespace board
