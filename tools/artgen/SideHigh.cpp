// SideHigh: the high-score window's background (twelve dark cells under
// their headings and labels, Reset Scores, Statistics and Ok) and its three
// lit buttons.
// The digits of each cell are drawn at run time at the cell origins of the
// layout table, each text six glyphs wide; the black field of a cell frames
// exactly that text with one pixel to spare.
#include "SideArt.h"
#include "windows/HighLayout.h"

namespace side {
namespace {

constexpr int kWidth = HighLayout::Width;
constexpr int kHeight = HighLayout::Height;
constexpr Rect kReset = HighLayout::Reset;
constexpr Rect kOk = HighLayout::Exit;
// The width and height of a cell's text.
constexpr int kTextW = HighLayout::CellChars * Layout::DigitWidth;
constexpr int kTextH = Layout::DigitHeight;

int CellX(int column) { return HighLayout::CellOriginAt(column, 0).X; }  // column 0..3
int CellY(int row) { return HighLayout::CellOriginAt(0, row).Y; }        // row 0..2


void Heading(cairo_t* cr, const char* text, double cx, double cy)
{
    const art::Font font = ScriptFont(25);
    const art::TextBox box = art::MeasureText(text, font);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, cx, cy, x, y);
    CopperScript(cr, text, font, x, y, cy, 11, 0.6, 1.2);
}

void Window(art::Canvas& canvas, int lit)
{
    cairo_t* cr = canvas.Cr();
    BlueTexture(canvas, 0x41C4);
    RoundedWindowEdge(cr, kWidth, kHeight);

    // Headings over each pair of columns, with a copper rule beneath.
    const double singleX = (CellX(0) + CellX(1) + kTextW) / 2.0;
    const double doubleX = (CellX(2) + CellX(3) + kTextW) / 2.0;
    Heading(cr, "Single Colors", singleX, 22);
    Heading(cr, "Double Colors", doubleX, 22);
    for (double cx : {singleX, doubleX}) {
        cairo_pattern_t* rule = cairo_pattern_create_linear(cx - 80, 0, cx + 80, 0);
        const art::Color c = art::Color::Hex(pal::Copper);
        cairo_pattern_add_color_stop_rgba(rule, 0.0, c.r, c.g, c.b, 0.0);
        cairo_pattern_add_color_stop_rgba(rule, 0.5, c.r, c.g, c.b, 0.9);
        cairo_pattern_add_color_stop_rgba(rule, 1.0, c.r, c.g, c.b, 0.0);
        cairo_rectangle(cr, cx - 80, 37, 160, 1);
        cairo_set_source(cr, rule);
        cairo_fill(cr);
        cairo_pattern_destroy(rule);
    }

    // Column labels (code length) and row labels (colour count).
    const art::Color label = art::Color::Hex(pal::Label);
    const char* lengths[] = {"4", "5", "4", "5"};
    for (int i = 0; i < HighLayout::Columns; ++i) Centred(cr, lengths[i], SansFont(14), CellX(i) + kTextW / 2, 51.5, label);
    const char* counts[] = {"6", "8", "10"};
    for (int j = 0; j < HighLayout::Rows; ++j) Centred(cr, counts[j], SansFont(14), 40, CellY(j) + kTextH / 2.0, label);
    const art::Color legend = label.Mix(art::Color::Hex(pal::BlueMid), 0.35);
    Centred(cr, "holes", SansFont(9, false), 40, 51.5, legend);
    Centred(cr, "colors", SansFont(9, false), 40, CellY(2) + 33, legend);

    // The twelve cells: a dark rounded seat around a sunken black field.
    for (int j = 0; j < HighLayout::Rows; ++j) {
        for (int i = 0; i < HighLayout::Columns; ++i) {
            const int x = CellX(i), y = CellY(j);
            art::RoundedRectPath(cr, x - 6.5, y - 5.5, 85, 30, 5);
            art::SetSource(cr, art::Color::Hex(0x071634), 0.85);
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 1);
            art::SetSource(cr, art::Color::Hex(0x3460A8), 0.45);
            cairo_stroke(cr);
            SunkenField(cr, {x - 1, y - 1, kTextW + 2, kTextH + 2}, art::Color::Hex(0x0B1F48));
        }
    }

    Lettering(canvas, "Reset Scores", ScriptFont(23), kReset, lit == 0);
    Lettering(canvas, "Ok", ScriptFont(24), kOk, lit == 1);
    Lettering(canvas, "Statistics", ScriptFont(23), HighLayout::Stats, lit == 2);
}

}  // namespace

void GenerateHighArt(const std::filesystem::path& resourcesDir)
{
    const Scene scene = Window;
    WritePicture(RenderScene(kWidth, kHeight, scene, -1), resourcesDir, "high", "imgHigh");
    WriteCut(RenderScene(kWidth, kHeight, scene, 0), kReset, resourcesDir, "high", "ImgReset");
    WriteCut(RenderScene(kWidth, kHeight, scene, 1), kOk, resourcesDir, "high", "imgExit");
    WriteCut(RenderScene(kWidth, kHeight, scene, 2), HighLayout::Stats, resourcesDir, "high", "imgStats");
}

}  // namespace side
