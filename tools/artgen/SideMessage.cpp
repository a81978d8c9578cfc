// SideMessage: the message window's textured background with its Ok, the
// lit Ok, and the five message pictures. A message picture is copied opaque
// onto the background at (49, 23), so each one is the background's empty
// plate at that place with its words written on it: the copy has no seam.
#include <algorithm>
#include <string>
#include <vector>

#include "SideArt.h"
#include "windows/MessageLayout.h"

namespace side {
namespace {

constexpr int kWidth = MessageLayout::Width;
constexpr int kHeight = MessageLayout::Height;
constexpr Rect kPlate = MessageLayout::Plate;
constexpr Rect kOk = MessageLayout::Exit;

// The plate the messages are written on: a recess in the leather with a
// thin copper edge, darker than its surroundings so the words stand out.
void Plate(art::Canvas& canvas)
{
    cairo_t* cr = canvas.Cr();
    const Rect p = kPlate;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, p.Left, p.Top, p.Width, p.Height);
    art::SetSource(cr, art::Color::Hex(0x061330));
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_rectangle(cr, p.Left, p.Top, p.Width, p.Height);
    cairo_clip(cr);
    // Inner shadow from the upper edge, a faint lift at the lower one.
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, p.Top, 0, p.Top + p.Height);
    cairo_pattern_add_color_stop_rgba(shade, 0.0, 0, 0, 0, 0.55);
    cairo_pattern_add_color_stop_rgba(shade, 0.25, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(shade, 0.8, 0.25, 0.45, 0.85, 0.0);
    cairo_pattern_add_color_stop_rgba(shade, 1.0, 0.25, 0.45, 0.85, 0.22);
    cairo_rectangle(cr, p.Left, p.Top, p.Width, p.Height);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_restore(cr);
    Grain(canvas, p, 0x3E55, 2);

    cairo_save(cr);
    art::RoundedRectPath(cr, p.Left + 0.5, p.Top + 0.5, p.Width - 1, p.Height - 1, 3);
    cairo_set_line_width(cr, 1);
    art::SetSource(cr, art::Color::Hex(pal::CopperDark));
    cairo_stroke(cr);
    cairo_move_to(cr, p.Left + 3, p.Top + p.Height - 0.5);
    cairo_line_to(cr, p.Left + p.Width - 3, p.Top + p.Height - 0.5);
    art::SetSource(cr, art::Color::Hex(pal::Copper), 0.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void Background(art::Canvas& canvas, bool okLit)
{
    cairo_t* cr = canvas.Cr();
    BlueTexture(canvas, 0xA11CE);
    CopperRim(cr, 4.5, 4.5, kWidth - 9, kHeight - 9, 8, 1.5);
    Plate(canvas);

    // A copper ball in a hole of the board, the game's emblem, beside the words.
    art::BevelledHole(cr, 26, 52, 13.5, 17.5, art::Color::Hex(pal::BlueMid), art::Color::Hex(0x02050C));
    art::MetalSphere(cr, 26, 52, 12.5, art::Color::Hex(pal::CopperLight), art::Color::Hex(pal::CopperDark));

    Lettering(canvas, "Ok", ScriptFont(24), kOk, okLit);
}

// Lines of one message: a headline in gold script when the message opens
// with an exclamation, then plain lines.
struct MessageText {
    const char* Name;
    const char* Headline;  // may be empty
    std::vector<const char*> Lines;
};

void WriteMessage(art::Canvas& canvas, const MessageText& m)
{
    cairo_t* cr = canvas.Cr();
    const Rect p = kPlate;
    const double cx = CentreX(p);
    const double maxW = p.Width - 16;

    struct Line {
        std::string Text;
        art::Font Font;
        double Height;  // the line's share of the stack
        bool Gold;
    };
    std::vector<Line> lines;
    const bool headline = m.Headline[0] != '\0';
    const double inkH = headline ? 18 : (m.Lines.size() > 1 ? 20 : 26);
    if (headline)
        lines.push_back({m.Headline, art::FitFont(m.Headline, ScriptFont(25), maxW, 24, 25), 26, true});
    // All plain lines of a message share one size so they read as one text.
    double plainSize = m.Lines.size() > 1 ? 17.5 : 21;
    for (const char* line : m.Lines)
        plainSize = std::min(plainSize, art::FitFont(line, SansFont(plainSize), maxW, inkH, plainSize).SizePx);
    for (const char* line : m.Lines) lines.push_back({line, SansFont(plainSize), plainSize * 1.25, false});

    // Stack the lines, centred in the plate.
    double total = 0;
    for (const Line& line : lines) total += line.Height;
    double top = CentreY(p) - total / 2;
    for (const Line& line : lines) {
        const art::TextBox box = art::MeasureText(line.Text, line.Font);
        double x = 0, y = 0;
        art::InkCentredOrigin(box, cx, top + line.Height / 2, x, y);
        art::SetSource(cr, art::Color{0, 0, 0}, 0.7);
        art::DrawText(cr, line.Text, line.Font, x + 1, y + 1.2);
        if (line.Gold) {
            cairo_pattern_t* grad = cairo_pattern_create_linear(0, top, 0, top + line.Height);
            cairo_pattern_add_color_stop_rgb(grad, 0.0, 1.0, 0.93, 0.78);
            cairo_pattern_add_color_stop_rgb(grad, 0.6, 0.96, 0.70, 0.42);
            cairo_pattern_add_color_stop_rgb(grad, 1.0, 0.78, 0.47, 0.23);
            art::TextPath(cr, line.Text, line.Font, x, y);
            cairo_set_source(cr, grad);
            cairo_fill(cr);
            cairo_pattern_destroy(grad);
        } else {
            art::SetSource(cr, art::Color::Hex(0xF2EEE6));
            art::DrawText(cr, line.Text, line.Font, x, y);
        }
        top += line.Height;
    }
}

}  // namespace

void GenerateMessageArt(const std::filesystem::path& resourcesDir)
{
    const Scene scene = [](art::Canvas& canvas, int lit) { Background(canvas, lit == 0); };
    const art::Canvas base = RenderScene(kWidth, kHeight, scene, -1);
    WritePicture(base, resourcesDir, "message", "imgMessage");
    WriteCut(RenderScene(kWidth, kHeight, scene, 0), kOk, resourcesDir, "message", "imgExit");

    // The exact words of the five messages (MessageLayout.h).
    std::vector<MessageText> messages;
    for (const MessageLayout::Words& w : MessageLayout::Messages) {
        MessageText m{w.Picture, w.Heading, {}};
        for (const char* line : w.Lines)
            if (*line) m.Lines.push_back(line);
        messages.push_back(m);
    }
    for (const MessageText& m : messages) {
        art::Canvas canvas(kWidth, kHeight);
        canvas.CopyFrom(base, 0, 0, kWidth, kHeight, 0, 0);
        WriteMessage(canvas, m);
        canvas.Flatten();
        WriteCut(canvas, kPlate, resourcesDir, "message", m.Name);
    }
}

}  // namespace side
