// CursorArt: the closed-hand cursor "FIST", shown while a ball is carried.
// A two-colour 32 x 32 .cur with the hot spot (15, 15) in the middle of the
// fist, drawn without anti-aliasing because each pixel is black, white or
// see-through and nothing in between.
#include <cmath>
#include <vector>

#include "ArtCommon.h"
#include "BoardArt.h"

namespace {

constexpr int Size = 32;
constexpr int HotX = 15, HotY = 15;

// The outline of the hand as one path: four curled fingers on top, the
// thumb folded over at the left, the back of the hand, the wrist.
void HandPath(cairo_t* cr)
{
    cairo_new_path(cr);
    for (int f = 0; f < 4; ++f) art::RoundedRectPath(cr, 8.5 + 4 * f, 8.5, 4, 9, 2);
    art::RoundedRectPath(cr, 7.5, 12.5, 18, 13, 4);  // back of the hand
    art::RoundedRectPath(cr, 4.5, 14.5, 7, 8, 3.5);  // thumb
    art::RoundedRectPath(cr, 11.5, 23.5, 11, 5, 1);  // wrist
}

std::vector<uint8_t> EncodeCursor(const art::Canvas& c)
{
    // Classify: see-through (AND 1, XOR 0), black (0, 0), white (0, 1).
    std::vector<uint8_t> xorBits(4 * Size, 0), andBits(4 * Size, 0);
    for (int y = 0; y < Size; ++y) {
        const int row = Size - 1 - y;  // rows are stored bottom-up
        for (int x = 0; x < Size; ++x) {
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            const size_t at = static_cast<size_t>(row * 4 + x / 8);
            if (c.Alpha(x, y) < 128)
                andBits[at] |= bit;
            else if ((c.Pixel(x, y) & 0xFF) >= 128)
                xorBits[at] |= bit;
        }
    }
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(static_cast<uint8_t>(v & 0xFF));
        out.push_back(static_cast<uint8_t>(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const uint32_t imageBytes = 40 + 2 * 4 + 2 * 4 * Size;
    u16(0);  // reserved
    u16(2);  // a cursor
    u16(1);  // one image
    out.push_back(Size);
    out.push_back(Size);
    out.push_back(2);  // colours
    out.push_back(0);
    u16(HotX);
    u16(HotY);
    u32(imageBytes);
    u32(6 + 16);
    // The image: a BITMAPINFOHEADER of double height (XOR then AND rows).
    u32(40);
    u32(Size);
    u32(2 * Size);
    u16(1);
    u16(1);
    u32(0);
    u32(2 * 4 * Size);
    u32(0);
    u32(0);
    u32(2);
    u32(0);
    u32(0x00000000);  // black
    u32(0x00FFFFFF);  // white
    out.insert(out.end(), xorBits.begin(), xorBits.end());
    out.insert(out.end(), andBits.begin(), andBits.end());
    return out;
}

}  // namespace

void GenerateCursor(const std::filesystem::path& resourcesDir)
{
    art::Canvas c(Size, Size);
    cairo_t* cr = c.Cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    // A black outline round the union of the parts, then the white inside.
    HandPath(cr);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    HandPath(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    // Creases between the fingers and along the folded thumb.
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1.0);
    for (int f = 1; f < 4; ++f) {
        cairo_move_to(cr, 8.5 + 4 * f, 10);
        cairo_line_to(cr, 8.5 + 4 * f, 15);
    }
    cairo_move_to(cr, 9, 18.5);
    cairo_line_to(cr, 15, 18.5);
    cairo_stroke(cr);
    art::WriteFile(resourcesDir / "FIST.cur", EncodeCursor(c));
}
