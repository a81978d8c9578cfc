// SideKit: the drawing pieces the six side windows share (textures, rims,
// display fields, lettering in its normal and lit looks, picture writing).
#include <algorithm>
#include <cmath>
#include <vector>

#include "SideArt.h"

namespace side {
namespace {

// A small fixed-seed generator: textures must come out the same on every
// run and every machine, so no library random engine is involved.
struct Xorshift {
    uint32_t State;
    explicit Xorshift(uint32_t seed) : State(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next()
    {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return State;
    }
    // -1 .. 1
    double Signed() { return (Next() & 0xFFFF) / 32767.5 - 1.0; }
};

// Direct pixel access to an ARGB32 canvas; the caller must leave every
// written pixel opaque.
struct PixelAccess {
    cairo_surface_t* Surface;
    unsigned char* Data;
    int Stride;
    explicit PixelAccess(art::Canvas& canvas) : Surface(canvas.Surface())
    {
        cairo_surface_flush(Surface);
        Data = cairo_image_surface_get_data(Surface);
        Stride = cairo_image_surface_get_stride(Surface);
    }
    ~PixelAccess() { cairo_surface_mark_dirty(Surface); }
    uint32_t& At(int x, int y) { return *reinterpret_cast<uint32_t*>(Data + y * Stride + x * 4); }
};

int Clamp255(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

// One pass of a box blur along `count` bytes `step` apart; pixels beyond
// the ends count as 0.
void BlurLine(unsigned char* first, int count, int step, int radius, std::vector<int>& line)
{
    const int span = 2 * radius + 1;
    for (int i = 0; i < count; ++i) line[i] = first[i * step];
    for (int i = 0; i < count; ++i) {
        int sum = 0;
        for (int k = -radius; k <= radius; ++k) {
            const int j = i + k;
            if (j >= 0 && j < count) sum += line[j];
        }
        first[i * step] = static_cast<unsigned char>(sum / span);
    }
}

// Box blur of an A8 surface in place, horizontally then vertically, with
// integer arithmetic so the result is exact on every machine.
void BoxBlurA8(cairo_surface_t* surface, int radius)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    std::vector<int> line(static_cast<size_t>(std::max(w, h)));
    for (int y = 0; y < h; ++y) BlurLine(data + y * stride, w, 1, radius, line);
    for (int x = 0; x < w; ++x) BlurLine(data + x, h, stride, radius, line);
    cairo_surface_mark_dirty(surface);
}

// Copper lit from above: light at y0, copper at `middle` (0..1 of the
// way), dark at y1. The caller destroys the pattern.
cairo_pattern_t* CopperGradient(double y0, double y1, double middle)
{
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, y0, 0, y1);
    const art::Color hi = art::Color::Hex(pal::CopperLight);
    const art::Color mid = art::Color::Hex(pal::Copper);
    const art::Color lo = art::Color::Hex(pal::CopperDark);
    cairo_pattern_add_color_stop_rgb(grad, 0.0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(grad, middle, mid.r, mid.g, mid.b);
    cairo_pattern_add_color_stop_rgb(grad, 1.0, lo.r, lo.g, lo.b);
    return grad;
}

}  // namespace

art::Font ScriptFont(double sizePx)
{
    art::Font f;
    f.Family = "Dancing Script";
    f.SizePx = sizePx;
    f.Bold = true;
    return f;
}

art::Font SansFont(double sizePx, bool bold)
{
    art::Font f;
    f.Family = "Lato";
    f.SizePx = sizePx;
    f.Bold = bold;
    return f;
}

void BlueTexture(art::Canvas& canvas, uint32_t seed)
{
    const int w = canvas.Width();
    const int h = canvas.Height();
    const int s = canvas.Scale();
    const art::Color top = art::Color::Hex(pal::BlueLight);
    const art::Color mid = art::Color::Hex(pal::BlueMid);
    const art::Color bottom = art::Color::Hex(pal::BlueDark);

    // Mottling: a coarse lattice of random values, smoothly interpolated,
    // gives the surface the uneven depth of dyed leather. The lattice is
    // laid in 1x units, so the mottling is the same at every scale; the
    // grain is per pixel, so it stays fine.
    constexpr int cell = 18;
    const int gw = w / cell + 2;
    const int gh = h / cell + 2;
    Xorshift rng(seed);
    std::vector<double> lattice(static_cast<size_t>(gw * gh));
    for (double& v : lattice) v = rng.Signed();
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };

    PixelAccess px(canvas);
    for (int Y = 0; Y < canvas.PixelHeight(); ++Y) {
        const double y = static_cast<double>(Y) / s;  // in 1x units
        const double t = h > 1 ? std::min(y / (h - 1), 1.0) : 0.0;
        const art::Color base = t < 0.45 ? top.Mix(mid, t / 0.45) : mid.Mix(bottom, (t - 0.45) / 0.55);
        const int gy = static_cast<int>(y) / cell;
        const double fy = smooth((y - gy * cell) / static_cast<double>(cell));
        for (int X = 0; X < canvas.PixelWidth(); ++X) {
            const double x = static_cast<double>(X) / s;
            const int gx = static_cast<int>(x) / cell;
            const double fx = smooth((x - gx * cell) / static_cast<double>(cell));
            const double a = lattice[gy * gw + gx], b = lattice[gy * gw + gx + 1];
            const double c = lattice[(gy + 1) * gw + gx], d = lattice[(gy + 1) * gw + gx + 1];
            const double mottle = (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
            const double grain = rng.Signed();
            const double f = 1.0 + 0.07 * mottle + 0.035 * grain;
            const int r = Clamp255(base.r * 255 * f);
            const int g = Clamp255(base.g * 255 * f);
            const int bl = Clamp255(base.b * 255 * f);
            px.At(X, Y) = 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(bl);
        }
    }
}

void Grain(art::Canvas& canvas, const Rect& area, uint32_t seed, int amplitude)
{
    Xorshift rng(seed);
    PixelAccess px(canvas);
    const int s = canvas.Scale();
    for (int y = std::max(area.Top, 0) * s; y < std::min(area.Top + area.Height, canvas.Height()) * s; ++y) {
        for (int x = std::max(area.Left, 0) * s; x < std::min(area.Left + area.Width, canvas.Width()) * s; ++x) {
            const int n = static_cast<int>(rng.Next() % static_cast<uint32_t>(2 * amplitude + 1)) - amplitude;
            uint32_t& p = px.At(x, y);
            const int r = std::clamp(static_cast<int>((p >> 16) & 0xFF) + n, 0, 255);
            const int g = std::clamp(static_cast<int>((p >> 8) & 0xFF) + n, 0, 255);
            const int b = std::clamp(static_cast<int>(p & 0xFF) + n, 0, 255);
            p = 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
        }
    }
}

void CopperRim(cairo_t* cr, double x, double y, double w, double h, double radius, double width)
{
    cairo_save(cr);
    // A dark line under the copper lifts it off the blue.
    art::RoundedRectPath(cr, x + 0.5, y + 0.8, w, h, radius);
    cairo_set_line_width(cr, width + 1.2);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_stroke(cr);

    cairo_pattern_t* grad = CopperGradient(y, y + h, 0.35);
    art::RoundedRectPath(cr, x, y, w, h, radius);
    cairo_set_line_width(cr, width);
    cairo_set_source(cr, grad);
    cairo_stroke(cr);
    cairo_pattern_destroy(grad);
    cairo_restore(cr);
}

void RoundedWindowEdge(cairo_t* cr, int width, int height)
{
    // A pixel belongs to the region when its centre lies in the rounded
    // shape; the shape grown by half a pixel diagonal (0.75 of a pixel, at
    // the canvas's own density) covers every such pixel completely.
    double sx = 1, sy = 1;
    cairo_user_to_device_distance(cr, &sx, &sy);
    const double grow = 0.75 / sx;
    constexpr int corner = Layout::CornerEllipse / 2;  // the rounding radius
    auto outline = [&](double inset, double radius) {
        art::RoundedRectPath(cr, inset, inset, width - 2 * inset, height - 2 * inset, radius);
    };
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(cr, 0, 0, width, height);
    outline(-grow, corner + grow);
    art::SetSource(cr, art::Color::Hex(pal::Night));
    cairo_fill(cr);

    outline(-grow, corner + grow);
    outline(1.25, corner - 1.25);
    art::SetSource(cr, art::Color::Hex(pal::CopperDark).Scaled(0.7));
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_pattern_t* grad = CopperGradient(0, height, 0.35);
    outline(1.8, corner - 1.8);
    cairo_set_line_width(cr, 1.3);
    cairo_set_source(cr, grad);
    cairo_stroke(cr);
    cairo_pattern_destroy(grad);
    // A faint dark line inside the copper lifts it off the panel.
    outline(3.0, corner - 3.0);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void SunkenField(cairo_t* cr, const Rect& field, const art::Color& panel)
{
    const art::Color white{1, 1, 1};
    const art::Color black{0, 0, 0};
    auto fill = [cr](double x, double y, double w, double h, const art::Color& c) {
        cairo_rectangle(cr, x, y, w, h);
        art::SetSource(cr, c);
        cairo_fill(cr);
    };
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // Outer ring: the panel's edge catching light below and right, falling
    // into shadow above and left.
    fill(field.Left - 2, field.Top - 2, field.Width + 4, field.Height + 4, panel.Mix(white, 0.45));
    fill(field.Left - 2, field.Top - 2, field.Width + 3, field.Height + 3, panel.Mix(black, 0.55));
    // Inner ring: the wall of the recess.
    fill(field.Left - 1, field.Top - 1, field.Width + 2, field.Height + 2, panel.Mix(white, 0.18));
    fill(field.Left - 1, field.Top - 1, field.Width + 1, field.Height + 1, black.Mix(panel, 0.12));
    // The field itself: pure black, exactly the rectangle the digits use.
    fill(field.Left, field.Top, field.Width, field.Height, black);
    cairo_restore(cr);
}

void TextGlow(art::Canvas& canvas, const std::string& text, const art::Font& font, double x, double y,
              const art::Color& color, double alpha, int radius, const Rect& clip)
{
    // The glow is shaped and blurred in the canvas's own pixels, the blur
    // as wide as the 1x one times the scale.
    const int s = canvas.Scale();
    cairo_surface_t* shape = cairo_image_surface_create(CAIRO_FORMAT_A8, canvas.PixelWidth(), canvas.PixelHeight());
    cairo_t* sc = cairo_create(shape);
    if (s != 1) cairo_scale(sc, s, s);
    cairo_set_source_rgba(sc, 0, 0, 0, 1);
    art::TextPath(sc, text, font, x, y);
    cairo_fill(sc);
    // Widen the shape a little before blurring so the glow has a body.
    art::TextPath(sc, text, font, x, y);
    cairo_set_line_width(sc, 2.0);
    cairo_stroke(sc);
    cairo_destroy(sc);
    BoxBlurA8(shape, radius * s);
    BoxBlurA8(shape, radius * s);

    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_rectangle(cr, clip.Left, clip.Top, clip.Width, clip.Height);
    cairo_clip(cr);
    art::SetSource(cr, color, alpha);
    cairo_identity_matrix(cr);  // the mask is in pixels
    cairo_mask_surface(cr, shape, 0, 0);
    cairo_restore(cr);
    cairo_surface_destroy(shape);
}

void Lettering(art::Canvas& canvas, const std::string& text, const art::Font& font, const Rect& area,
               bool lit, double dx, double dy)
{
    // Keep the ink (and its shadow) two pixels inside the area: the lit
    // look must not reach the area's border, where the overlay meets the
    // picture beneath.
    const art::Font f = art::FitFont(text, font, area.Width - 5, area.Height - 5, font.SizePx);
    const art::TextBox box = art::MeasureText(text, f);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, CentreX(area) - 0.5 + dx, CentreY(area) - 0.5 + dy, x, y);
    cairo_t* cr = canvas.Cr();
    const Rect inner = area.Inset(1);

    if (lit)
        TextGlow(canvas, text, f, x, y, art::Color::Hex(pal::LitGlow), 0.85, 2, inner);

    cairo_save(cr);
    art::SetSource(cr, art::Color{0, 0, 0}, 0.55);
    art::DrawText(cr, text, f, x + 1, y + 1);
    if (lit) {
        cairo_pattern_t* grad = cairo_pattern_create_linear(0, area.Top, 0, area.Top + area.Height);
        const art::Color hi = art::Color::Hex(0xFFF6DC);
        const art::Color lo = art::Color::Hex(pal::LitText);
        cairo_pattern_add_color_stop_rgb(grad, 0.0, hi.r, hi.g, hi.b);
        cairo_pattern_add_color_stop_rgb(grad, 1.0, lo.r, lo.g, lo.b);
        cairo_rectangle(cr, inner.Left, inner.Top, inner.Width, inner.Height);
        cairo_clip(cr);
        art::TextPath(cr, text, f, x, y);
        cairo_set_source(cr, grad);
        cairo_fill(cr);
        cairo_pattern_destroy(grad);
    } else {
        art::SetSource(cr, art::Color::Hex(pal::Label));
        art::DrawText(cr, text, f, x, y);
    }
    cairo_restore(cr);
}

void Choice(art::Canvas& canvas, const std::string& text, const art::Font& font, const Rect& area,
            bool chosen)
{
    cairo_t* cr = canvas.Cr();
    const Rect plate = area.Inset(1);
    const art::Font f = art::FitFont(text, font, area.Width - 6, area.Height - 6, font.SizePx);
    const art::TextBox box = art::MeasureText(text, f);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, CentreX(area) - 0.5, CentreY(area) - 0.5, x, y);

    cairo_save(cr);
    if (chosen) {
        cairo_rectangle(cr, plate.Left, plate.Top, plate.Width, plate.Height);
        cairo_clip(cr);
        // A small polished copper plate, lit from above, with a dark edge.
        cairo_pattern_t* grad = CopperGradient(plate.Top, plate.Top + plate.Height, 0.5);
        art::RoundedRectPath(cr, plate.Left + 0.5, plate.Top + 0.5, plate.Width - 1, plate.Height - 1, 4);
        cairo_set_source(cr, grad);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        art::SetSource(cr, art::Color::Hex(0x3A1A08));
        cairo_stroke(cr);
        cairo_pattern_destroy(grad);
        // Engraved lettering: a light line below, dark letters on top.
        art::SetSource(cr, art::Color::Hex(0xFFE6C4), 0.6);
        art::DrawText(cr, text, f, x, y + 1);
        art::SetSource(cr, art::Color::Hex(0x2A1206));
        art::DrawText(cr, text, f, x, y);
    } else {
        // A faint sunken seat, the place the copper plate drops into when
        // this choice is taken; it tells the player the number is a key.
        art::RoundedRectPath(cr, plate.Left + 0.5, plate.Top + 0.5, plate.Width - 1, plate.Height - 1, 4);
        art::SetSource(cr, art::Color{0, 0, 0}, 0.22);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1);
        cairo_pattern_t* edge = cairo_pattern_create_linear(0, plate.Top, 0, plate.Top + plate.Height);
        cairo_pattern_add_color_stop_rgba(edge, 0.0, 0, 0, 0, 0.45);
        cairo_pattern_add_color_stop_rgba(edge, 1.0, 0.6, 0.75, 1.0, 0.35);
        cairo_set_source(cr, edge);
        cairo_stroke(cr);
        cairo_pattern_destroy(edge);
        art::SetSource(cr, art::Color{0, 0, 0}, 0.55);
        art::DrawText(cr, text, f, x + 1, y + 1);
        art::SetSource(cr, art::Color::Hex(pal::Label));
        art::DrawText(cr, text, f, x, y);
    }
    cairo_restore(cr);
}

void WritePicture(const art::Canvas& canvas, const std::filesystem::path& resourcesDir,
                  const std::string& window, const std::string& name)
{
    art::WriteBmp24(canvas, resourcesDir / window / (name + ".bmp"));
}

void WriteCut(const art::Canvas& canvas, const Rect& area, const std::filesystem::path& resourcesDir,
              const std::string& window, const std::string& name)
{
    art::Canvas cut(area.Width, area.Height);
    cut.CopyFrom(canvas, area.Left, area.Top, area.Width, area.Height, 0, 0);
    WritePicture(cut, resourcesDir, window, name);
}

art::Canvas RenderScene(int width, int height, const Scene& scene, int lit)
{
    art::Canvas canvas(width, height);
    scene(canvas, lit);
    canvas.Flatten();
    return canvas;
}

void CopperScript(cairo_t* cr, const char* text, const art::Font& font, double x, double y, double centreY,
                  double halfHeight, double shadowAlpha, double shadowOffset)
{
    art::SetSource(cr, art::Color{0, 0, 0}, shadowAlpha);
    art::DrawText(cr, text, font, x + shadowOffset, y + shadowOffset);
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, centreY - halfHeight, 0, centreY + halfHeight);
    const art::Color hi = art::Color::Hex(pal::CopperLight);
    const art::Color lo = art::Color::Hex(pal::Copper);
    cairo_pattern_add_color_stop_rgb(grad, 0.0, hi.r, hi.g, hi.b);
    cairo_pattern_add_color_stop_rgb(grad, 1.0, lo.r, lo.g, lo.b);
    art::TextPath(cr, text, font, x, y);
    cairo_set_source(cr, grad);
    cairo_fill(cr);
    cairo_pattern_destroy(grad);
}

void Centred(cairo_t* cr, const std::string& text, const art::Font& font, double cx, double cy, const art::Color& color)
{
    const art::TextBox box = art::MeasureText(text, font);
    double x = 0, y = 0;
    art::InkCentredOrigin(box, cx, cy, x, y);
    art::SetSource(cr, art::Color{0, 0, 0}, 0.55);
    art::DrawText(cr, text, font, x + 1, y + 1);
    art::SetSource(cr, color);
    art::DrawText(cr, text, font, x, y);
}

}  // namespace side
