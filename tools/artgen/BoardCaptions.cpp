// BoardCaptions: the ten words shown under the pointer's button, in script
// lettering. Each caption is cut from the board where it will be drawn and
// lettered on that copy, so only the letters change when it appears. All
// words share one baseline; the taller pictures give room to descenders.
#include <algorithm>
#include <cmath>

#include "ArtCommon.h"
#include "BoardGeometry.h"
#include "BoardPalette.h"
#include "BoardParts.h"

namespace board {

using art::Canvas;
using art::Color;

namespace {

constexpr double Baseline = 21.0;   // from the caption's top
constexpr double MaxSize = 25.0;    // px; the longer words come out smaller

art::Font FitCaption(const Button& cap)
{
    art::Font font{"Dancing Script", MaxSize, true, false};
    // Room: two pixels of margin at the sides; above the baseline as much as
    // the shortest picture allows, below it what this picture has.
    for (double size = MaxSize; size > 8; size -= 0.25) {
        font.SizePx = size;
        const art::TextBox box = art::MeasureText(cap.Word, font);
        const double top = Baseline - box.Baseline + box.InkY;
        const double bottom = top + box.InkHeight;
        if (box.InkWidth <= cap.CaptionW - 4 && top >= 1.0 && bottom <= cap.CaptionH - 1.0) return font;
    }
    return font;
}

}  // namespace

void GenerateCaptions(const Canvas& board, const std::filesystem::path& mainDir)
{
    for (const Button& cap : Buttons) {
        Canvas pic(cap.CaptionW, cap.CaptionH);
        pic.CopyFrom(board, cap.CaptionX, CaptionTop, cap.CaptionW, cap.CaptionH, 0, 0);
        const art::Font font = FitCaption(cap);
        const art::TextBox box = art::MeasureText(cap.Word, font);
        const double x = cap.CaptionW / 2.0 - (box.InkX + box.InkWidth / 2);
        const double y = Baseline - box.Baseline;
        cairo_t* cr = pic.Cr();
        // Shadow, dark keyline, then the gold letters.
        art::TextPath(cr, cap.Word, font, x + 1.0, y + 1.2);
        cairo_set_source_rgba(cr, 0, 0, 0.04, 0.7);
        cairo_fill(cr);
        art::TextPath(cr, cap.Word, font, x, y);
        cairo_set_source_rgba(cr, 0.12, 0.05, 0.0, 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* gold = cairo_pattern_create_linear(0, y + box.InkY, 0, y + box.InkY + box.InkHeight);
        const Color hi = Color::Hex(0xFFF4C8), mid = Color::Hex(CopperLight), lo = Color::Hex(0xC86A2A);
        cairo_pattern_add_color_stop_rgb(gold, 0.0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(gold, 0.55, mid.r, mid.g, mid.b);
        cairo_pattern_add_color_stop_rgb(gold, 1.0, lo.r, lo.g, lo.b);
        cairo_set_source(cr, gold);
        cairo_fill(cr);
        cairo_pattern_destroy(gold);
        pic.Flatten();
        art::WriteBmp24(pic, mainDir / (std::string(cap.Caption) + ".bmp"));
    }
}

}  // namespace board
