// SideOptions: the options window's background (three labelled lines of
// choices, Ok and Cancel), its seven choice marks and its two lit buttons.
// Every mark and button is cut out of a rendering of the whole window with
// just that item lit, so it lines up with the background pixel for pixel.
#include <vector>

#include "SideArt.h"
#include "windows/OptionsLayout.h"

namespace side {
namespace {

constexpr int kWidth = OptionsLayout::Width;
constexpr int kHeight = OptionsLayout::Height;

struct Item {
    const char* Name;   // the picture's name
    const char* Text;   // what the item shows
    Rect Area;          // where it lies on the window, exactly
    bool IsChoice;      // choice (copper plate) or button (lit lettering)
};

// In the window's order: the seven choices, then the two buttons.
const std::vector<Item>& Items()
{
    static const std::vector<Item> items = [] {
        std::vector<Item> all;
        for (const OptionsLayout::Choice& c : OptionsLayout::Choices)
            all.push_back({c.Name, c.Text, c.Area, true});
        all.push_back({"imgOk", "Ok", OptionsLayout::Ok, false});
        all.push_back({"imgCancel", "Cancel", OptionsLayout::Cancel, false});
        return all;
    }();
    return items;
}

void LineLabel(art::Canvas& canvas, const char* text, double centreY)
{
    cairo_t* cr = canvas.Cr();
    const art::Font font = ScriptFont(23);
    const art::TextBox box = art::MeasureText(text, font);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, 0, centreY, x, y);
    x = 22 - box.InkX;  // left aligned
    CopperScript(cr, text, font, x, y, centreY, 10, 0.55, 1);
}

// A faint dotted leader from a label towards its choices.
void Leader(cairo_t* cr, double x0, double x1, double y)
{
    cairo_save(cr);
    for (double x = x0; x <= x1; x += 5) {
        cairo_arc(cr, x, y, 0.9, 0, 6.2832);
        art::SetSource(cr, art::Color::Hex(pal::Label), 0.35);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Window(art::Canvas& canvas, int lit)
{
    cairo_t* cr = canvas.Cr();
    BlueTexture(canvas, 0x0971);
    CopperRim(cr, 4.5, 4.5, kWidth - 9, kHeight - 9, 8, 1.5);

    LineLabel(canvas, "Spaces", 30.5);
    LineLabel(canvas, "Colors", 63);
    LineLabel(canvas, "Doubles", 94.5);
    Leader(cr, 96, 146, 33.5);
    Leader(cr, 90, 126, 66);
    Leader(cr, 105, 131, 97.5);

    // A copper line sets the buttons apart from the choices.
    cairo_pattern_t* line = cairo_pattern_create_linear(18, 0, kWidth - 18, 0);
    const art::Color c = art::Color::Hex(pal::Copper);
    cairo_pattern_add_color_stop_rgba(line, 0.0, c.r, c.g, c.b, 0.0);
    cairo_pattern_add_color_stop_rgba(line, 0.5, c.r, c.g, c.b, 0.9);
    cairo_pattern_add_color_stop_rgba(line, 1.0, c.r, c.g, c.b, 0.0);
    cairo_rectangle(cr, 18, 117, kWidth - 36, 1);
    cairo_set_source(cr, line);
    cairo_fill(cr);
    cairo_pattern_destroy(line);
    cairo_rectangle(cr, 18, 118, kWidth - 36, 1);
    art::SetSource(cr, art::Color{0, 0, 0}, 0.35);
    cairo_fill(cr);

    const auto& items = Items();
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        const bool on = static_cast<int>(i) == lit;
        if (item.IsChoice)
            Choice(canvas, item.Text, SansFont(17), item.Area, on);
        else
            Lettering(canvas, item.Text, ScriptFont(23), item.Area, on);
    }
}

}  // namespace

void GenerateOptionsArt(const std::filesystem::path& resourcesDir)
{
    const Scene scene = Window;
    WritePicture(RenderScene(kWidth, kHeight, scene, -1), resourcesDir, "options", "ImgOptions");
    const auto& items = Items();
    for (size_t i = 0; i < items.size(); ++i)
        WriteCut(RenderScene(kWidth, kHeight, scene, static_cast<int>(i)), items[i].Area, resourcesDir, "options",
                 items[i].Name);
}

}  // namespace side
