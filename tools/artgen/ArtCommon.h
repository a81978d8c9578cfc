// ArtCommon: the drawing helpers every picture of the generator is made with.
//
// Owns: the Canvas (a cairo image surface with its context), the BMP writers
// (24-bit, and 4-bit / 8-bit paletted with a fixed palette order), text
// drawing through pango with fixed font options, and the shaded shapes the
// artwork repeats (glossy spheres, bevelled holes, rounded rectangles).
//
// Everything here is deterministic: no timestamps in files, no hinting that
// depends on the machine's font settings, palettes in the order given by the
// caller. Running the generator twice writes identical bytes.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace art {

// A colour with components 0..1, as cairo wants them.
struct Color {
    double r = 0, g = 0, b = 0;

    static constexpr Color Hex(uint32_t rgb)
    {
        return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
    }
    // Linear mix: t = 0 gives *this, t = 1 gives other.
    Color Mix(const Color& other, double t) const
    {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t};
    }
    Color Scaled(double f) const;          // multiplied, clamped to 0..1
    uint32_t ToRgb() const;                // 0x00RRGGBB, rounded
};

void SetSource(cairo_t* cr, const Color& c, double alpha = 1.0);

// The scale every picture is drawn at (1, 2 or 3): a canvas made while it
// is S holds S times as many pixels each way, and its context maps the 1x
// coordinates every drawing uses onto them, so the same shapes come out
// sharp at each scale. The 1x set is the reference; the others are the
// same drawing, never a resampled copy.
void SetDrawingScale(int scale);
int DrawingScale();

// A picture being drawn: an ARGB32 cairo surface and a context on it.
// Pixels read back are the premultiplied colour, i.e. the picture as it
// looks composited over black; that is exactly what a sprite on pure black
// needs. The canvas starts fully transparent (reads as black).
//
// Sizes and drawing coordinates are in 1x units (Width, Height, CopyFrom,
// PaintOver, the context's user space); single pixels are addressed in the
// surface's own pixels (Pixel, Alpha, SetPixel, PixelWidth, PixelHeight),
// which are Scale() times as many each way.
class Canvas {
public:
    // width x height in 1x units, at the current drawing scale.
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Scale() const { return scale_; }
    int PixelWidth() const { return width_ * scale_; }
    int PixelHeight() const { return height_ * scale_; }
    cairo_t* Cr() const { return cr_; }
    // Puts the context back to plain 1x coordinates (the scale alone).
    void ResetMatrix() const;
    cairo_surface_t* Surface() const { return surface_; }

    // 0x00RRGGBB of the pixel composited over black; out of range reads 0.
    uint32_t Pixel(int x, int y) const;
    // Alpha 0..255 of the pixel; out of range reads 0.
    uint8_t Alpha(int x, int y) const;
    // Writes an opaque pixel; out of range is ignored.
    void SetPixel(int x, int y, uint32_t rgb);
    // Fills the whole canvas with an opaque colour.
    void Fill(uint32_t rgb);
    // Makes every pixel opaque, composited over black (what a BMP holds).
    void Flatten();
    // Copies a rectangle (1x units) of another canvas of the same scale
    // here, pixel for pixel (no blending).
    void CopyFrom(const Canvas& src, int srcX, int srcY, int width, int height, int dstX, int dstY);
    // Paints another canvas over this one at (dstX, dstY) with its alpha.
    void PaintOver(const Canvas& src, int dstX, int dstY, double alpha = 1.0);

private:
    void Sync() const;  // flushes cairo before direct pixel access
    int width_;
    int height_;
    int scale_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// ---- BMP files -----------------------------------------------------------

// A 24-bit uncompressed BMP (BITMAPINFOHEADER, bottom-up, 72 dpi) of the
// canvas composited over black.
std::vector<uint8_t> EncodeBmp24(const Canvas& canvas);
// A paletted BMP, 4 or 8 bits per pixel; every pixel is mapped to the
// nearest palette entry (ties to the lower index). The palette is written in
// the given order and padded with black to 2^bits entries.
std::vector<uint8_t> EncodeBmpPaletted(const Canvas& canvas, int bitsPerPixel,
                                       const std::vector<uint32_t>& palette);
// Index of the palette entry nearest to rgb (squared RGB distance).
int NearestPaletteIndex(uint32_t rgb, const std::vector<uint32_t>& palette);

// The compressed form of a BMP file the program embeds for 2x and 3x, at a
// zlib level: 9 everywhere, but 0 (stored, no compression) for a picture a
// start-up draws whole, which then costs the program a copy, not an inflate.
std::vector<uint8_t> CompressPicture(const std::vector<uint8_t>& bmp, int level = 9);

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
// Whether pictures drawn at 2x and 3x are written compressed (<name>.bmp.z,
// see resources/Compressed.h) or as plain BMP files; 1x is always plain.
void SetCompressScaled(bool compress);
// Convenience: encode and write, creating the parent folder.
void WriteBmp24(const Canvas& canvas, const std::filesystem::path& path);
// The same, with the 2x and 3x forms stored (level 0): the board, the one
// picture every start-up needs whole before the first frame.
void WriteBmp24Stored(const Canvas& canvas, const std::filesystem::path& path);
void WriteBmp4(const Canvas& canvas, const std::vector<uint32_t>& palette, const std::filesystem::path& path);
void WriteBmp8(const Canvas& canvas, const std::vector<uint32_t>& palette, const std::filesystem::path& path);

// ---- Text ----------------------------------------------------------------

// A font by family name ("Dancing Script", "DejaVu Sans", "Lato", ...),
// size in pixels (the em size, independent of screen resolution).
struct Font {
    std::string Family = "DejaVu Sans";
    double SizePx = 12;
    bool Bold = false;
    bool Italic = false;
};

// Pixel extents of a text: the ink box (what is drawn) relative to the point
// given to DrawText / TextPath, and the logical advance.
struct TextBox {
    double InkX = 0, InkY = 0, InkWidth = 0, InkHeight = 0;
    double Advance = 0;
    double Baseline = 0;  // from the layout top to the baseline
};

// Every text drawn goes through these, with grey antialiasing, no hinting
// and unhinted metrics, so the result depends only on the font files.
TextBox MeasureText(const std::string& text, const Font& font);
// Adds the text's outline to the current path with the layout's top-left at
// (x, y); the caller fills or strokes it.
void TextPath(cairo_t* cr, const std::string& text, const Font& font, double x, double y);
// Fills the text with the current source, layout top-left at (x, y).
void DrawText(cairo_t* cr, const std::string& text, const Font& font, double x, double y);
// Where to put the layout so the ink box is centred on (cx, cy).
void InkCentredOrigin(const TextBox& box, double cx, double cy, double& x, double& y);
// The largest size (in steps of 0.25 px, at most maxSizePx) whose ink fits
// maxWidth x maxHeight.
Font FitFont(const std::string& text, Font font, double maxWidth, double maxHeight, double maxSizePx);

// ---- Shapes --------------------------------------------------------------

void RoundedRectPath(cairo_t* cr, double x, double y, double w, double h, double radius);

// A glossy ball: base colour shaded as a sphere lit from the upper left, a
// soft rim darkening, a bounce light at the lower right and a sharp specular
// highlight. Drawn with antialiasing into the disc (cx, cy, radius) only.
struct SphereStyle {
    double Shadow = 0.55;      // how dark the unlit side gets (0..1)
    double Specular = 0.95;    // strength of the highlight
    double Bounce = 0.25;      // reflected light at the lower right
};
void GlossySphere(cairo_t* cr, double cx, double cy, double radius, const Color& base,
                  const SphereStyle& style = {});

// A metallic sphere (copper, steel): like GlossySphere but with banded
// reflections, for the lit buttons.
void MetalSphere(cairo_t* cr, double cx, double cy, double radius, const Color& light,
                 const Color& dark);

// A hole sunk into the surface: an outer bevel ring (lit at the lower right,
// shadowed at the upper left, as light from the upper left falls into a
// hole) around a dark centre of radius innerRadius filled with centre.
void BevelledHole(cairo_t* cr, double cx, double cy, double innerRadius, double outerRadius,
                  const Color& surface, const Color& centre);

// A raised ring (the opposite light of a hole), for sockets and bullets.
void RaisedRing(cairo_t* cr, double cx, double cy, double innerRadius, double outerRadius,
                const Color& surface);

// Little-endian fields of the file formats we write (BMP, CUR, ICO).
void PutU16(std::vector<uint8_t>& out, uint32_t v);
void PutU32(std::vector<uint8_t>& out, uint32_t v);

}  // namespace art
