// SidePanels: the skins of the two small display windows, the green timer
// panel and the grey combinations panel. Both are rounded panels (the
// window region cuts them with 24 x 24 corners) carrying sunken black
// fields exactly where the digits are drawn at run time.
#include <vector>

#include "SideArt.h"
#include "windows/CombsLayout.h"
#include "windows/TimerLayout.h"

namespace side {
namespace {

struct PanelLook {
    uint32_t Top, Middle, Bottom;  // body gradient
    uint32_t Caption;              // small lettering under the fields
};

struct Field {
    Rect Area;            // the black rectangle, exactly
    const char* Caption;  // engraved under it
};

// Draws a rounded display panel of the window's whole size.
void DisplayPanel(art::Canvas& canvas, const PanelLook& look, const std::vector<Field>& fields)
{
    cairo_t* cr = canvas.Cr();
    const double w = canvas.Width();
    const double h = canvas.Height();

    cairo_pattern_t* body = cairo_pattern_create_linear(0, 0, 0, h);
    const art::Color top = art::Color::Hex(look.Top);
    const art::Color mid = art::Color::Hex(look.Middle);
    const art::Color bottom = art::Color::Hex(look.Bottom);
    cairo_pattern_add_color_stop_rgb(body, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(body, 0.5, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(body, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);
    Grain(canvas, {0, 0, canvas.Width(), canvas.Height()}, 0x51DE + canvas.Width(), 3);

    // Glassy sheen over the upper half, as on the board's lacquer.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, 2, 0, h * 0.55);
    cairo_pattern_add_color_stop_rgba(sheen, 0.0, 1, 1, 1, 0.24);
    cairo_pattern_add_color_stop_rgba(sheen, 1.0, 1, 1, 1, 0.0);
    art::RoundedRectPath(cr, 3, 3, w - 6, h * 0.55, 9);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);

    RoundedWindowEdge(cr, canvas.Width(), canvas.Height());

    for (const Field& field : fields) {
        SunkenField(cr, field.Area, mid);
        const art::Font font = SansFont(8.5);
        const art::TextBox box = art::MeasureText(field.Caption, font);
        double x = 0, y = 0;
        art::InkCentredOrigin(box, CentreX(field.Area), field.Area.Top + field.Area.Height + 7.5, x, y);
        art::SetSource(cr, art::Color{0, 0, 0}, 0.45);
        art::DrawText(cr, field.Caption, font, x + 0.7, y + 0.7);
        art::SetSource(cr, art::Color::Hex(look.Caption));
        art::DrawText(cr, field.Caption, font, x, y);
    }
    canvas.Flatten();
}

}  // namespace

void GenerateTimerArt(const std::filesystem::path& resourcesDir)
{
    art::Canvas canvas(TimerLayout::Width, TimerLayout::Height);
    DisplayPanel(canvas, {0x45B079, 0x1F7A4A, 0x0C3E24, 0xD9F2E2},
                 {{TimerLayout::TimeField, "TIME"}, {TimerLayout::RecordField, "RECORD"}});
    WritePicture(canvas, resourcesDir, "timer", "imgTimer");
}

void GenerateCombsArt(const std::filesystem::path& resourcesDir)
{
    art::Canvas canvas(CombsLayout::Width, CombsLayout::Height);
    DisplayPanel(canvas, {0xB4BAC4, 0x6E747E, 0x393D45, 0xF0F2F6},
                 {{CombsLayout::CountField, "COMBINATIONS"}});
    WritePicture(canvas, resourcesDir, "combs", "imgCombs");
}

}  // namespace side
