// SideAbout: the about screen (title, a row of the game's balls, a small
// example of scoring, the credit, a notice, Exit) and its lit Exit.
#include <cmath>
#include <vector>

#include "SideArt.h"
#include "windows/AboutLayout.h"

namespace side {
namespace {

constexpr int kWidth = AboutLayout::Width;
constexpr int kHeight = AboutLayout::Height;
constexpr Rect kExit = AboutLayout::Exit;

void CentredText(cairo_t* cr, const char* text, const art::Font& font, double cx, double cy,
                 const art::Color& color, double shadow = 0.55)
{
    const art::TextBox box = art::MeasureText(text, font);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, cx, cy, x, y);
    art::SetSource(cr, art::Color{0, 0, 0}, shadow);
    art::DrawText(cr, text, font, x + 1, y + 1);
    art::SetSource(cr, color);
    art::DrawText(cr, text, font, x, y);
}

void CopperRule(cairo_t* cr, double cx, double y, double halfWidth)
{
    cairo_pattern_t* rule = cairo_pattern_create_linear(cx - halfWidth, 0, cx + halfWidth, 0);
    const art::Color c = art::Color::Hex(pal::Copper);
    cairo_pattern_add_color_stop_rgba(rule, 0.0, c.r, c.g, c.b, 0.0);
    cairo_pattern_add_color_stop_rgba(rule, 0.5, c.r, c.g, c.b, 0.95);
    cairo_pattern_add_color_stop_rgba(rule, 1.0, c.r, c.g, c.b, 0.0);
    cairo_rectangle(cr, cx - halfWidth, y, 2 * halfWidth, 1);
    cairo_set_source(cr, rule);
    cairo_fill(cr);
    cairo_pattern_destroy(rule);
    cairo_rectangle(cr, cx - halfWidth, y + 1, 2 * halfWidth, 1);
    art::SetSource(cr, art::Color{0, 0, 0}, 0.35);
    cairo_fill(cr);
    // A small copper diamond in the middle of the rule.
    cairo_move_to(cr, cx, y - 3.5);
    cairo_line_to(cr, cx + 3.5, y + 0.5);
    cairo_line_to(cr, cx, y + 4.5);
    cairo_line_to(cr, cx - 3.5, y + 0.5);
    cairo_close_path(cr);
    art::SetSource(cr, art::Color::Hex(pal::CopperLight));
    cairo_fill(cr);
}

void Title(cairo_t* cr)
{
    const char* text = "QuorVex";
    const art::Font font = ScriptFont(68);
    const art::TextBox box = art::MeasureText(text, font);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, kWidth / 2.0, 62, x, y);
    // Deep shadow, a dark outline, then the copper face lit from above.
    art::TextPath(cr, text, font, x + 2, y + 3);
    art::SetSource(cr, art::Color{0, 0, 0}, 0.55);
    cairo_fill(cr);
    art::TextPath(cr, text, font, x, y);
    cairo_set_line_width(cr, 2.5);
    art::SetSource(cr, art::Color::Hex(0x2A1206));
    cairo_stroke(cr);
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, 62 - box.InkHeight / 2, 0, 62 + box.InkHeight / 2);
    cairo_pattern_add_color_stop_rgb(grad, 0.0, 1.0, 0.92, 0.78);
    cairo_pattern_add_color_stop_rgb(grad, 0.45, 0.96, 0.68, 0.40);
    cairo_pattern_add_color_stop_rgb(grad, 0.55, 0.80, 0.45, 0.20);
    cairo_pattern_add_color_stop_rgb(grad, 1.0, 0.55, 0.27, 0.09);
    art::TextPath(cr, text, font, x, y);
    cairo_set_source(cr, grad);
    cairo_fill(cr);
    cairo_pattern_destroy(grad);
}

// A row of the board in miniature: four balls in their holes and the pegs
// that score them, with a word on what the pegs mean.
void ExampleRow(cairo_t* cr, double y)
{
    const art::Color surface = art::Color::Hex(pal::BlueMid);
    const art::Color hole = art::Color::Hex(0x02050C);
    const int guess[4] = {1, 4, 7, 2};
    for (int i = 0; i < 4; ++i) {
        const double cx = 106 + 30 * i;
        art::BevelledHole(cr, cx, y, 12.5, 15, surface, hole);
        art::GlossySphere(cr, cx, y, 11.5, art::Color::Hex(board::BallColors[guess[i] - 1]));
    }
    // Two red pegs and one white, climbing to the right like the board's.
    const uint32_t pegs[4] = {board::PegRed, board::PegRed, board::PegWhite, 0};
    const double rise[4] = {3, 3, 2, 0};
    for (int k = 0; k < 4; ++k) {
        const double cx = 234 + 13 * k, cy = y + 2 - rise[k];
        art::BevelledHole(cr, cx, cy, 4, 6, surface, hole);
        if (pegs[k]) art::GlossySphere(cr, cx, cy, 5, art::Color::Hex(pegs[k]));
    }
}

void Window(art::Canvas& canvas, int lit)
{
    cairo_t* cr = canvas.Cr();
    BlueTexture(canvas, 0xAB07);
    CopperRim(cr, 4.5, 4.5, kWidth - 9, kHeight - 9, 10, 1.5);

    Title(cr);
    const art::Color label = art::Color::Hex(pal::Label);
    CentredText(cr, "the game of the hidden code", SansFont(13, false), kWidth / 2.0, 108, label);

    // The ten colours of the game, each in a hole of the board.
    const art::Color surface = art::Color::Hex(pal::BlueMid);
    for (int c = 0; c < 10; ++c) {
        const double cx = kWidth / 2.0 + (c - 4.5) * 29;
        art::BevelledHole(cr, cx, 142, 12, 14.5, surface, art::Color::Hex(0x02050C));
        art::GlossySphere(cr, cx, 142, 11, art::Color::Hex(board::BallColors[c]));
    }

    ExampleRow(cr, 190);
    CentredText(cr, "a red peg: right color, right place", SansFont(11.5, false), kWidth / 2.0, 220, label);
    CentredText(cr, "a white peg: right color, wrong place", SansFont(11.5, false), kWidth / 2.0, 236, label);

    CopperRule(cr, kWidth / 2.0, 260, 120);
    CentredText(cr, "designed and written by", SansFont(12, false), kWidth / 2.0, 284, label);
    const art::Font credit = ScriptFont(40);
    {
        const art::TextBox box = art::MeasureText("Varnel", credit);
        double x = 0, y = 0;
        art::InkCentredOrigin(box, kWidth / 2.0, 314, x, y);
        art::SetSource(cr, art::Color{0, 0, 0}, 0.55);
        art::DrawText(cr, "Varnel", credit, x + 1.5, y + 2);
        art::SetSource(cr, art::Color::Hex(pal::LitText));
        art::DrawText(cr, "Varnel", credit, x, y);
    }
    CopperRule(cr, kWidth / 2.0, 342, 120);

    const art::Color notice = label.Mix(art::Color::Hex(pal::BlueMid), 0.25);
    CentredText(cr, "Copyright \u00A9 Varnel. All rights reserved.", SansFont(11, false), kWidth / 2.0, 362, notice);
    CentredText(cr, "This program is provided as is, without", SansFont(11, false), kWidth / 2.0, 378, notice);
    CentredText(cr, "warranty of any kind.", SansFont(11, false), kWidth / 2.0, 392, notice);

    Lettering(canvas, "Exit", ScriptFont(23), kExit, lit == 0);
}

}  // namespace

void GenerateAboutArt(const std::filesystem::path& resourcesDir)
{
    const Scene scene = Window;
    WritePicture(RenderScene(kWidth, kHeight, scene, -1), resourcesDir, "about", "ImgAbout");
    WriteCut(RenderScene(kWidth, kHeight, scene, 0), kExit, resourcesDir, "about", "ImgExit");
}

}  // namespace side
