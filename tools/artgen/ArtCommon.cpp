// ArtCommon: canvas, BMP writers, text and shaded shapes (see ArtCommon.h).
#include "ArtCommon.h"

#include <pango/pangocairo.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <stdexcept>

#include "resources/Compressed.h"

namespace art {

void PutU16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

namespace {

uint8_t ClampByte(double v)
{
    return static_cast<uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// File header and BITMAPINFOHEADER; the caller appends palette and rows.
std::vector<uint8_t> BmpHeaders(int width, int height, int bits, int paletteEntries)
{
    const uint32_t rowBytes = ((static_cast<uint32_t>(width) * bits + 31) / 32) * 4;
    const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
    const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(paletteEntries);
    std::vector<uint8_t> out;
    out.reserve(offset + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutU32(out, offset + imageBytes);
    PutU32(out, 0);
    PutU32(out, offset);
    PutU32(out, 40);
    PutU32(out, static_cast<uint32_t>(width));
    PutU32(out, static_cast<uint32_t>(height));  // positive: bottom-up rows
    PutU16(out, 1);
    PutU16(out, static_cast<uint32_t>(bits));
    PutU32(out, 0);  // BI_RGB
    PutU32(out, imageBytes);
    PutU32(out, 2835);  // 72 dpi, a fixed value so files never differ
    PutU32(out, 2835);
    PutU32(out, static_cast<uint32_t>(paletteEntries));
    PutU32(out, 0);
    return out;
}

// Font options fixed for every layout: the same outlines on every machine
// whatever the desktop's fontconfig says about hinting.
void ConfigureContext(PangoContext* ctx)
{
    cairo_font_options_t* opts = cairo_font_options_create();
    cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opts, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opts, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(opts, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    pango_cairo_context_set_font_options(ctx, opts);
    cairo_font_options_destroy(opts);
    pango_cairo_context_set_resolution(ctx, 96.0);
    pango_context_set_round_glyph_positions(ctx, FALSE);
}

// A missing font would be replaced silently by whatever fontconfig finds,
// and the pictures would change with the machine; refuse instead.
void RequireFamily(PangoContext* ctx, const PangoFontDescription* desc, const std::string& family)
{
    static std::set<std::string> checked;
    if (checked.count(family)) return;
    PangoFont* loaded = pango_context_load_font(ctx, desc);
    std::string got;
    if (loaded) {
        PangoFontDescription* actual = pango_font_describe(loaded);
        if (const char* f = pango_font_description_get_family(actual)) got = f;
        pango_font_description_free(actual);
        g_object_unref(loaded);
    }
    if (g_ascii_strcasecmp(got.c_str(), family.c_str()) != 0)
        throw std::runtime_error("font \"" + family + "\" is not installed (would fall back to \"" + got +
                                 "\"); see scripts/deps.sh art");
    checked.insert(family);
}

PangoLayout* MakeLayout(cairo_t* cr, const std::string& text, const Font& font)
{
    PangoLayout* layout = pango_cairo_create_layout(cr);
    ConfigureContext(pango_layout_get_context(layout));
    pango_layout_context_changed(layout);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, font.Family.c_str());
    pango_font_description_set_absolute_size(desc, font.SizePx * PANGO_SCALE);
    pango_font_description_set_weight(desc, font.Bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(desc, font.Italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    RequireFamily(pango_layout_get_context(layout), desc, font.Family);
    pango_layout_set_font_description(layout, desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout, text.c_str(), -1);
    return layout;
}

}  // namespace

// ---- Color ---------------------------------------------------------------

Color Color::Scaled(double f) const
{
    return {std::clamp(r * f, 0.0, 1.0), std::clamp(g * f, 0.0, 1.0), std::clamp(b * f, 0.0, 1.0)};
}

uint32_t Color::ToRgb() const
{
    return (uint32_t{ClampByte(r)} << 16) | (uint32_t{ClampByte(g)} << 8) | ClampByte(b);
}

void SetSource(cairo_t* cr, const Color& c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// ---- Canvas --------------------------------------------------------------

namespace {
int g_drawingScale = 1;
}

void SetDrawingScale(int scale)
{
    if (scale < 1 || scale > 3) throw std::invalid_argument("drawing scale must be 1, 2 or 3");
    g_drawingScale = scale;
}

int DrawingScale() { return g_drawingScale; }

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), scale_(g_drawingScale),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale_, height * scale_)),
      cr_(cairo_create(surface_))
{
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cairo surface could not be created");
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GRAY);
    ResetMatrix();
}

Canvas::Canvas(Canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), scale_(other.scale_), surface_(other.surface_), cr_(other.cr_)
{
    other.surface_ = nullptr;
    other.cr_ = nullptr;
}

Canvas::~Canvas()
{
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

void Canvas::Sync() const { cairo_surface_flush(surface_); }

void Canvas::ResetMatrix() const
{
    cairo_identity_matrix(cr_);
    if (scale_ != 1) cairo_scale(cr_, scale_, scale_);
}

uint32_t Canvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) return 0;
    Sync();
    const auto* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0x00FFFFFFu;
}

uint8_t Canvas::Alpha(int x, int y) const
{
    if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) return 0;
    Sync();
    const auto* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    return static_cast<uint8_t>(reinterpret_cast<const uint32_t*>(row)[x] >> 24);
}

void Canvas::SetPixel(int x, int y, uint32_t rgb)
{
    if (x < 0 || y < 0 || x >= PixelWidth() || y >= PixelHeight()) return;
    Sync();
    auto* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    reinterpret_cast<uint32_t*>(row)[x] = 0xFF000000u | (rgb & 0x00FFFFFFu);
    cairo_surface_mark_dirty(surface_);
}

void Canvas::Fill(uint32_t rgb)
{
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    SetSource(cr_, Color::Hex(rgb));
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::Flatten()
{
    Sync();
    for (int y = 0; y < PixelHeight(); ++y) {
        auto* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                y * cairo_image_surface_get_stride(surface_));
        for (int x = 0; x < PixelWidth(); ++x) row[x] |= 0xFF000000u;
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::CopyFrom(const Canvas& src, int srcX, int srcY, int width, int height, int dstX, int dstY)
{
    if (src.scale_ != scale_) throw std::invalid_argument("canvases of different scales");
    srcX *= scale_;
    srcY *= scale_;
    dstX *= scale_;
    dstY *= scale_;
    width *= scale_;
    height *= scale_;
    src.Sync();
    Sync();
    const int srcStride = cairo_image_surface_get_stride(src.surface_);
    const int dstStride = cairo_image_surface_get_stride(surface_);
    const auto* s = cairo_image_surface_get_data(src.surface_);
    auto* d = cairo_image_surface_get_data(surface_);
    for (int y = 0; y < height; ++y) {
        const int sy = srcY + y, dy = dstY + y;
        if (sy < 0 || sy >= src.PixelHeight() || dy < 0 || dy >= PixelHeight()) continue;
        for (int x = 0; x < width; ++x) {
            const int sx = srcX + x, dx = dstX + x;
            if (sx < 0 || sx >= src.PixelWidth() || dx < 0 || dx >= PixelWidth()) continue;
            reinterpret_cast<uint32_t*>(d + dy * dstStride)[dx] =
                reinterpret_cast<const uint32_t*>(s + sy * srcStride)[sx];
        }
    }
    cairo_surface_mark_dirty(surface_);
}

void Canvas::PaintOver(const Canvas& src, int dstX, int dstY, double alpha)
{
    if (src.scale_ != scale_) throw std::invalid_argument("canvases of different scales");
    src.Sync();
    cairo_save(cr_);
    // The source surface has this canvas's pixel density: place it in pixels.
    cairo_identity_matrix(cr_);
    cairo_set_source_surface(cr_, src.surface_, dstX * scale_, dstY * scale_);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

// ---- BMP -----------------------------------------------------------------

std::vector<uint8_t> CompressPicture(const std::vector<uint8_t>& bmp, int level)
{
    // Level 9 (or 0 for a stored picture), so the bytes depend only on the
    // picture (and zlib's deflate, which has been stable for years).
    std::vector<uint8_t> out(packed::Magic, packed::Magic + 4);
    PutU32(out, static_cast<uint32_t>(bmp.size()));
    uLongf packedSize = compressBound(static_cast<uLong>(bmp.size()));
    out.resize(packed::HeaderSize + packedSize);
    if (compress2(out.data() + packed::HeaderSize, &packedSize, bmp.data(), static_cast<uLong>(bmp.size()), level) != Z_OK)
        throw std::runtime_error("zlib could not compress a picture");
    out.resize(packed::HeaderSize + packedSize);
    return out;
}

std::vector<uint8_t> EncodeBmp24(const Canvas& canvas)
{
    const int w = canvas.PixelWidth(), h = canvas.PixelHeight();
    std::vector<uint8_t> out = BmpHeaders(w, h, 24, 0);
    const int pad = (4 - (w * 3) % 4) % 4;
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = canvas.Pixel(x, y);
            out.push_back(static_cast<uint8_t>(p & 0xFF));
            out.push_back(static_cast<uint8_t>((p >> 8) & 0xFF));
            out.push_back(static_cast<uint8_t>((p >> 16) & 0xFF));
        }
        out.insert(out.end(), static_cast<size_t>(pad), 0);
    }
    return out;
}

int NearestPaletteIndex(uint32_t rgb, const std::vector<uint32_t>& palette)
{
    int best = 0;
    long bestDist = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        const long dr = static_cast<long>((rgb >> 16) & 0xFF) - static_cast<long>((palette[i] >> 16) & 0xFF);
        const long dg = static_cast<long>((rgb >> 8) & 0xFF) - static_cast<long>((palette[i] >> 8) & 0xFF);
        const long db = static_cast<long>(rgb & 0xFF) - static_cast<long>(palette[i] & 0xFF);
        const long dist = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || dist < bestDist) {
            bestDist = dist;
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::vector<uint8_t> EncodeBmpPaletted(const Canvas& canvas, int bitsPerPixel,
                                       const std::vector<uint32_t>& palette)
{
    if ((bitsPerPixel != 4 && bitsPerPixel != 8) || palette.empty() ||
        palette.size() > (size_t{1} << bitsPerPixel))
        throw std::invalid_argument("paletted BMP needs 4 or 8 bits and a palette that fits");
    const int w = canvas.PixelWidth(), h = canvas.PixelHeight();
    const int entries = 1 << bitsPerPixel;
    std::vector<uint8_t> out = BmpHeaders(w, h, bitsPerPixel, entries);
    for (int i = 0; i < entries; ++i) {
        const uint32_t c = i < static_cast<int>(palette.size()) ? palette[static_cast<size_t>(i)] : 0;
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
        out.push_back(static_cast<uint8_t>((c >> 16) & 0xFF));
        out.push_back(0);
    }
    const size_t rowBytes = ((static_cast<size_t>(w) * static_cast<size_t>(bitsPerPixel) + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(rowBytes, 0);
        for (int x = 0; x < w; ++x) {
            const auto index = static_cast<uint8_t>(NearestPaletteIndex(canvas.Pixel(x, y), palette));
            if (bitsPerPixel == 8)
                row[static_cast<size_t>(x)] = index;
            else if (x % 2 == 0)
                row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(index << 4);
            else
                row[static_cast<size_t>(x / 2)] |= index;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

namespace {
bool g_compressScaled = true;

void WritePictureFile(const Canvas& canvas, const std::filesystem::path& path, const std::vector<uint8_t>& bmp,
                      int level = 9)
{
    if (canvas.Scale() == 1 || !g_compressScaled) {
        WriteFile(path, bmp);
        return;
    }
    std::filesystem::path packed = path;
    packed += ".z";
    WriteFile(packed, CompressPicture(bmp, level));
}
}  // namespace

void SetCompressScaled(bool compress) { g_compressScaled = compress; }

void WriteBmp24(const Canvas& canvas, const std::filesystem::path& path)
{
    WritePictureFile(canvas, path, EncodeBmp24(canvas));
}

void WriteBmp24Stored(const Canvas& canvas, const std::filesystem::path& path)
{
    WritePictureFile(canvas, path, EncodeBmp24(canvas), 0);
}

void WriteBmp4(const Canvas& canvas, const std::vector<uint32_t>& palette, const std::filesystem::path& path)
{
    WritePictureFile(canvas, path, EncodeBmpPaletted(canvas, 4, palette));
}

void WriteBmp8(const Canvas& canvas, const std::vector<uint32_t>& palette, const std::filesystem::path& path)
{
    WritePictureFile(canvas, path, EncodeBmpPaletted(canvas, 8, palette));
}

// ---- Text ----------------------------------------------------------------

TextBox MeasureText(const std::string& text, const Font& font)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(s);
    PangoLayout* layout = MakeLayout(cr, text, font);
    PangoRectangle ink{}, logical{};
    pango_layout_get_extents(layout, &ink, &logical);
    TextBox box;
    box.InkX = static_cast<double>(ink.x) / PANGO_SCALE;
    box.InkY = static_cast<double>(ink.y) / PANGO_SCALE;
    box.InkWidth = static_cast<double>(ink.width) / PANGO_SCALE;
    box.InkHeight = static_cast<double>(ink.height) / PANGO_SCALE;
    box.Advance = static_cast<double>(logical.width) / PANGO_SCALE;
    box.Baseline = static_cast<double>(pango_layout_get_baseline(layout)) / PANGO_SCALE;
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    return box;
}

void TextPath(cairo_t* cr, const std::string& text, const Font& font, double x, double y)
{
    PangoLayout* layout = MakeLayout(cr, text, font);
    cairo_save(cr);
    cairo_move_to(cr, x, y);
    pango_cairo_layout_path(cr, layout);
    cairo_restore(cr);  // the path survives save/restore
    g_object_unref(layout);
}

void DrawText(cairo_t* cr, const std::string& text, const Font& font, double x, double y)
{
    cairo_new_path(cr);
    TextPath(cr, text, font, x, y);
    cairo_fill(cr);
}

void InkCentredOrigin(const TextBox& box, double cx, double cy, double& x, double& y)
{
    x = cx - (box.InkX + box.InkWidth / 2);
    y = cy - (box.InkY + box.InkHeight / 2);
}

Font FitFont(const std::string& text, Font font, double maxWidth, double maxHeight, double maxSizePx)
{
    for (double size = maxSizePx; size > 4; size -= 0.25) {
        font.SizePx = size;
        const TextBox box = MeasureText(text, font);
        if (box.InkWidth <= maxWidth && box.InkHeight <= maxHeight) return font;
    }
    font.SizePx = 4;
    return font;
}

// ---- Shapes --------------------------------------------------------------

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius)
{
    const double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

namespace {

void AddStop(cairo_pattern_t* p, double offset, const Color& c, double alpha = 1.0)
{
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

void FillWith(cairo_t* cr, cairo_pattern_t* p)
{
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
}

// An elliptical soft spot of light, drawn with a scaled radial gradient.
void SoftSpot(cairo_t* cr, double cx, double cy, double rx, double ry, double angle, const Color& c,
              double alpha)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, angle);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    AddStop(p, 0, c, alpha);
    AddStop(p, 0.45, c, alpha * 0.75);
    AddStop(p, 1, c, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
}

}  // namespace

void GlossySphere(cairo_t* cr, double cx, double cy, double radius, const Color& base,
                  const SphereStyle& style)
{
    const Color white{1, 1, 1};
    const Color black{0, 0, 0};
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_clip_preserve(cr);

    // Body: diffuse light from the upper left.
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - 0.38 * radius, cy - 0.42 * radius, 0.05 * radius,
                                                        cx, cy, radius * 1.02);
    AddStop(body, 0.0, base.Mix(white, 0.30));
    AddStop(body, 0.35, base);
    AddStop(body, 0.80, base.Scaled(1.0 - style.Shadow * 0.75));
    AddStop(body, 1.0, base.Scaled(1.0 - style.Shadow));
    FillWith(cr, body);

    // Light thrown back from the board onto the lower right.
    cairo_new_path(cr);
    SoftSpot(cr, cx + 0.42 * radius, cy + 0.50 * radius, 0.55 * radius, 0.32 * radius, -M_PI / 4,
             base.Mix(white, 0.45), style.Bounce);

    // A thin dark rim separates the ball from whatever it lies on.
    cairo_pattern_t* rim = cairo_pattern_create_radial(cx, cy, radius * 0.78, cx, cy, radius);
    AddStop(rim, 0, black, 0);
    AddStop(rim, 1, black, 0.35);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    FillWith(cr, rim);
    cairo_new_path(cr);

    // Specular highlight: a soft window reflection and a sharp core.
    SoftSpot(cr, cx - 0.30 * radius, cy - 0.44 * radius, 0.46 * radius, 0.28 * radius, -M_PI / 7, white,
             0.70 * style.Specular);
    SoftSpot(cr, cx - 0.34 * radius, cy - 0.46 * radius, 0.16 * radius, 0.11 * radius, -M_PI / 7, white,
             style.Specular);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void MetalSphere(cairo_t* cr, double cx, double cy, double radius, const Color& light, const Color& dark)
{
    const Color white{1, 1, 1};
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_clip_preserve(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(cx - 0.35 * radius, cy - 0.40 * radius, 0.0,
                                                        cx, cy, radius);
    AddStop(body, 0.00, light.Mix(white, 0.55));
    AddStop(body, 0.22, light);
    AddStop(body, 0.55, dark);
    AddStop(body, 0.80, light.Scaled(0.85));  // the horizon band of a polished metal
    AddStop(body, 0.92, dark.Scaled(0.9));
    AddStop(body, 1.00, dark.Scaled(0.55));
    FillWith(cr, body);
    cairo_new_path(cr);
    SoftSpot(cr, cx - 0.30 * radius, cy - 0.42 * radius, 0.40 * radius, 0.24 * radius, -M_PI / 7, white, 0.85);
    SoftSpot(cr, cx + 0.38 * radius, cy + 0.48 * radius, 0.40 * radius, 0.20 * radius, -M_PI / 4,
             light.Mix(white, 0.3), 0.35);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void BevelledHole(cairo_t* cr, double cx, double cy, double innerRadius, double outerRadius,
                  const Color& surface, const Color& centre)
{
    cairo_save(cr);
    cairo_new_path(cr);
    // Bevel: the upper-left wall lies in shadow, the lower-right wall
    // catches the light.
    cairo_pattern_t* wall = cairo_pattern_create_linear(cx - outerRadius, cy - outerRadius,
                                                        cx + outerRadius, cy + outerRadius);
    AddStop(wall, 0.0, surface.Scaled(0.22));
    AddStop(wall, 0.40, surface.Scaled(0.45));
    AddStop(wall, 0.75, surface.Mix({1, 1, 1}, 0.25));
    AddStop(wall, 1.0, surface.Mix({1, 1, 1}, 0.60));
    cairo_arc(cr, cx, cy, outerRadius, 0, 2 * M_PI);
    FillWith(cr, wall);
    cairo_new_path(cr);
    // The dark floor, with the faint shadow of the rim at its upper left.
    cairo_pattern_t* floor = cairo_pattern_create_radial(cx + 0.25 * innerRadius, cy + 0.25 * innerRadius, 0,
                                                         cx, cy, innerRadius);
    AddStop(floor, 0.0, centre.Mix({1, 1, 1}, 0.04));
    AddStop(floor, 0.7, centre);
    AddStop(floor, 1.0, centre.Scaled(0.6));
    cairo_arc(cr, cx, cy, innerRadius, 0, 2 * M_PI);
    FillWith(cr, floor);
    cairo_new_path(cr);
    cairo_restore(cr);
}

void RaisedRing(cairo_t* cr, double cx, double cy, double innerRadius, double outerRadius, const Color& surface)
{
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_pattern_t* ring = cairo_pattern_create_linear(cx - outerRadius, cy - outerRadius,
                                                        cx + outerRadius, cy + outerRadius);
    AddStop(ring, 0.0, surface.Mix({1, 1, 1}, 0.45));
    AddStop(ring, 0.5, surface);
    AddStop(ring, 1.0, surface.Scaled(0.35));
    cairo_arc(cr, cx, cy, outerRadius, 0, 2 * M_PI);
    cairo_arc_negative(cr, cx, cy, innerRadius, 2 * M_PI, 0);
    FillWith(cr, ring);
    cairo_new_path(cr);
    cairo_restore(cr);
}

}  // namespace art
