// SideStats: the statistics window's pictures: its skin (heading, the
// caption plate with an arrow either side, ten labelled black fields in two
// columns, the chart with its rows 1 to 12, Clear and Close), the lit
// arrows and buttons, the question Clear turns into after a first press,
// the strip of the thirteen captions, the empty chart the bars are drawn
// over and one full bar. Digits, captions and bars are put in at run time
// at the places of the layout table.
#include <string>

#include "SideArt.h"
#include "windows/StatsLayout.h"

namespace side {
namespace {

namespace L = StatsLayout;
constexpr uint32_t kSeed = 0x57A7;
const art::Color kPlate = art::Color::Hex(0x0B1F48);


// A label set to the right edge of its area, vertically centred on it.
void LabelRight(cairo_t* cr, const std::string& text, int x, int width, int top)
{
    const art::Font font = art::FitFont(text, SansFont(12.5, false), width, Layout::DigitHeight, 12.5);
    const art::TextBox box = art::MeasureText(text, font);
    double ox = 0, oy = 0;
    art::InkCentredOrigin(box, x + width - box.InkWidth / 2.0, top + Layout::DigitHeight / 2.0, ox, oy);
    art::SetSource(cr, art::Color{0, 0, 0}, 0.55);
    art::DrawText(cr, text, font, ox + 1, oy + 1);
    art::SetSource(cr, art::Color::Hex(pal::Label));
    art::DrawText(cr, text, font, ox, oy);
}

// An arrow head pointing left (dir -1) or right (1), centred in its area.
void Arrow(art::Canvas& canvas, const Rect& area, int dir, bool lit)
{
    cairo_t* cr = canvas.Cr();
    const double cx = CentreX(area), cy = CentreY(area);
    auto path = [&] {
        cairo_move_to(cr, cx - dir * 6.5, cy - 7.5);
        cairo_line_to(cr, cx + dir * 6.5, cy);
        cairo_line_to(cr, cx - dir * 6.5, cy + 7.5);
        cairo_close_path(cr);
    };
    cairo_save(cr);
    cairo_rectangle(cr, area.Left + 1, area.Top + 1, area.Width - 2, area.Height - 2);
    cairo_clip(cr);
    cairo_translate(cr, 1, 1);
    path();
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    cairo_translate(cr, -1, -1);
    path();
    art::SetSource(cr, art::Color::Hex(lit ? pal::LitText : pal::Copper));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    art::SetSource(cr, art::Color::Hex(lit ? pal::LitGlow : pal::CopperDark));
    cairo_stroke(cr);
    cairo_restore(cr);
}

// The plate the setting's caption lies on.
void CaptionPlate(cairo_t* cr, const Rect& r)
{
    art::RoundedRectPath(cr, r.Left + 0.5, r.Top + 0.5, r.Width - 1, r.Height - 1, 6);
    art::SetSource(cr, art::Color::Hex(0x071634), 0.9);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    art::SetSource(cr, art::Color::Hex(pal::CopperDark));
    cairo_stroke(cr);
}

std::string CaptionText(int entry)
{
    if (entry == int(L::CaptionCount)) return "All settings together";
    // The records' order: code length, then colours, then repeats.
    const int i = entry - 1;
    const int spaces = 4 + i / 6, colors = 6 + 2 * ((i % 6) / 2);
    const bool doubles = i % 2 == 1;
    return std::to_string(spaces) + " holes \u00B7 " + std::to_string(colors) + " colors \u00B7 " +
           (doubles ? "double" : "single");
}

void Caption(art::Canvas& canvas, int entry, int top)
{
    cairo_t* cr = canvas.Cr();
    const Rect plate{0, top, L::Caption.Width, L::Caption.Height};
    CaptionPlate(cr, plate);
    const art::Font font = art::FitFont(CaptionText(entry), SansFont(14), plate.Width - 16, plate.Height - 6, 14);
    Centred(cr, CaptionText(entry), font, CentreX(plate), CentreY(plate), art::Color::Hex(pal::LitText));
}

void Field(cairo_t* cr, const L::Field& f) { SunkenField(cr, f.Area(), kPlate); }

void Window(art::Canvas& canvas, int lit)
{
    cairo_t* cr = canvas.Cr();
    BlueTexture(canvas, kSeed);
    RoundedWindowEdge(cr, L::Width, L::Height);

    const art::Font heading = ScriptFont(28);
    const art::TextBox box = art::MeasureText("Statistics", heading);
    double hx = 0, hy = 0;
    art::InkCentredOrigin(box, L::Width / 2.0, 24, hx, hy);
    CopperScript(cr, "Statistics", heading, hx, hy, 24, 12, 0.6, 1.2);

    CaptionPlate(cr, L::Caption);
    Arrow(canvas, L::Prev, -1, lit == 0);
    Arrow(canvas, L::Next, 1, lit == 1);

    const char* left[] = {"Played", "Won", "Lost", "Given up", "Won with hint"};
    const char* right[] = {"Share won %", "Average rows", "Average seconds", "Current run", "Best run"};
    for (int line = 0; line < L::Lines; ++line) {
        LabelRight(cr, left[line], L::LeftLabelX, L::LeftLabelWidth - 6, L::LineTop(line));
        LabelRight(cr, right[line], L::RightLabelX, L::RightLabelWidth - 6, L::LineTop(line));
    }
    for (const L::Field& f : {L::Played, L::Won, L::Lost, L::GivenUp, L::HintWon, L::Share, L::Seconds,
                              L::CurrentRun, L::BestRun})
        Field(cr, f);
    // Average rows: one black field over both parts and the point.
    const Rect rows{L::RowsWhole.X - 1, L::LineTop(1) - 1,
                    L::RowsTenth.X + Layout::DigitWidth + 1 - (L::RowsWhole.X - 1), Layout::DigitHeight + 2};
    SunkenField(cr, rows, kPlate);
    // The decimal point, lit like the digits' segments.
    cairo_arc(cr, CentreX(L::RowsPoint), L::RowsPoint.Top + L::RowsPoint.Height - 2.5, 1.6, 0, 6.2832);
    art::SetSource(cr, art::Color::Hex(board::LedLit));
    cairo_fill(cr);
    const art::Color label = art::Color::Hex(pal::Label);

    // The chart: a dark tray, a faint line at each quarter, the base, and
    // the rows under each bar.
    const Rect& c = L::ChartFrame;
    art::RoundedRectPath(cr, c.Left + 0.5, c.Top + 0.5, c.Width - 1, c.Height - 1, 6);
    art::SetSource(cr, art::Color::Hex(0x071634), 0.85);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    art::SetSource(cr, art::Color::Hex(0x3460A8), 0.45);
    cairo_stroke(cr);
    for (int q = 0; q < 4; ++q) {
        const double y = L::BarTop + q * L::BarHeight / 4.0 + 0.5;
        cairo_rectangle(cr, L::Bars.Left - 3, y - 0.5, L::Bars.Width + 6, 1);
        art::SetSource(cr, art::Color::Hex(0x3460A8), 0.22);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, L::Bars.Left - 3, L::BarBase, L::Bars.Width + 6, 1);
    art::SetSource(cr, art::Color::Hex(pal::Copper), 0.8);
    cairo_fill(cr);
    for (int r = 1; r <= 12; ++r)
        Centred(cr, std::to_string(r), SansFont(10), L::BarLeft(r) + L::BarWidth / 2.0, L::BarLabelY, label);
    Centred(cr, "Games won in 1 to 12 rows", SansFont(10, false), CentreX(c), c.Top + 10,
            label.Mix(art::Color::Hex(pal::BlueMid), 0.25));

    Lettering(canvas, "Clear", ScriptFont(23), L::Clear, lit == 2);
    Lettering(canvas, "Close", ScriptFont(23), L::Exit, lit == 3);
}

// The question: Clear turned red, asking for the second press.
void Armed(art::Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    const Rect a{0, 0, L::Clear.Width, L::Clear.Height};
    art::RoundedRectPath(cr, 1.5, 1.5, a.Width - 3, a.Height - 3, 6);
    art::SetSource(cr, art::Color::Hex(0x8E1E14));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    art::SetSource(cr, art::Color::Hex(0xFF9B45));
    cairo_stroke(cr);
    const art::Font font = art::FitFont("Sure? Again", ScriptFont(21), a.Width - 10, a.Height - 6, 21);
    Centred(cr, "Sure? Again", font, CentreX(a), CentreY(a), art::Color::Hex(0xFFF0D8));
}

void Bar(art::Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, 0, L::BarWidth, 0);
    const art::Color hi = art::Color::Hex(pal::CopperLight), mid = art::Color::Hex(board::LedLit),
                     lo = art::Color::Hex(pal::CopperDark);
    cairo_pattern_add_color_stop_rgb(grad, 0.0, lo.r, lo.g, lo.b);
    cairo_pattern_add_color_stop_rgb(grad, 0.35, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(grad, 0.6, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(grad, 1.0, lo.r, lo.g, lo.b);
    cairo_rectangle(cr, 0, 0, L::BarWidth, L::BarHeight);
    cairo_set_source(cr, grad);
    cairo_fill(cr);
    cairo_pattern_destroy(grad);
}

}  // namespace

void GenerateStatsArt(const std::filesystem::path& dir)
{
    const Scene scene = Window;
    const art::Canvas plain = RenderScene(L::Width, L::Height, scene, -1);
    WritePicture(plain, dir, "stats", "imgStats");
    WriteCut(plain, L::Bars, dir, "stats", "imgChart");
    const Rect lit[] = {L::Prev, L::Next, L::Clear, L::Exit};
    const char* names[] = {"imgPrev", "imgNext", "imgClear", "imgExit"};
    for (int i = 0; i < 4; ++i) WriteCut(RenderScene(L::Width, L::Height, scene, i), lit[i], dir, "stats", names[i]);

    // The question lies over the plain skin, so its corners match it.
    art::Canvas armed(L::Clear.Width, L::Clear.Height);
    armed.CopyFrom(plain, L::Clear.Left, L::Clear.Top, L::Clear.Width, L::Clear.Height, 0, 0);
    Armed(armed);
    armed.Flatten();
    WritePicture(armed, dir, "stats", "imgClearArmed");

    // The captions, each over the skin beneath the plate.
    art::Canvas captions(L::Caption.Width, L::Caption.Height * L::CaptionCount);
    for (int e = 1; e <= L::CaptionCount; ++e) {
        const int top = L::Caption.Height * (e - 1);
        captions.CopyFrom(plain, L::Caption.Left, L::Caption.Top, L::Caption.Width, L::Caption.Height, 0, top);
        Caption(captions, e, top);
    }
    captions.Flatten();
    WritePicture(captions, dir, "stats", "imgCaptions");

    art::Canvas bar(L::BarWidth, L::BarHeight);
    Bar(bar);
    bar.Flatten();
    WritePicture(bar, dir, "stats", "imgBar");
}

}  // namespace side
