// IconArt: the program's icon, a glossy red ball of the game in a sliver of
// the board's blue, as a 32 x 32 .ico of 256 colours (64 x 64 and 96 x 96
// at the larger scales, drawn from the same shapes). The palette is made by
// median cut over the picture's own colours, in a fixed order, so the file
// is the same on every run.
//
// The icon Windows shows for the program file, its Start menu shortcut and
// its entry in the installed-programs list is another file,
// windows/QuorVex.ico: the same drawing at every size the shell asks for
// (16 to 256 pixels), each drawn at that size, in full colour with an alpha
// channel; the 256-pixel one is stored as PNG, as Windows expects.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

#include "ArtCommon.h"
#include "BoardArt.h"
#include "BoardPalette.h"

namespace {

constexpr int Size = 32;

struct Box {
    std::vector<std::pair<uint32_t, int>> Colors;  // colour, count

    int Channel(uint32_t c, int ch) const { return static_cast<int>((c >> (16 - 8 * ch)) & 0xFF); }
    int Range(int ch) const
    {
        int lo = 255, hi = 0;
        for (const auto& [c, n] : Colors) {
            lo = std::min(lo, Channel(c, ch));
            hi = std::max(hi, Channel(c, ch));
        }
        return hi - lo;
    }
    int Widest() const
    {
        int best = 0;
        for (int ch = 1; ch < 3; ++ch)
            if (Range(ch) > Range(best)) best = ch;
        return best;
    }
    long Weight() const
    {
        long n = 0;
        for (const auto& e : Colors) n += e.second;
        return n;
    }
    uint32_t Mean() const
    {
        double s[3] = {0, 0, 0};
        long n = 0;
        for (const auto& [c, k] : Colors) {
            for (int ch = 0; ch < 3; ++ch) s[ch] += Channel(c, ch) * static_cast<double>(k);
            n += k;
        }
        uint32_t out = 0;
        for (int ch = 0; ch < 3; ++ch)
            out |= static_cast<uint32_t>(std::lround(s[ch] / static_cast<double>(n))) << (16 - 8 * ch);
        return out;
    }
};

std::vector<uint32_t> MedianCut(const std::map<uint32_t, int>& histogram, size_t count)
{
    std::vector<Box> boxes(1);
    for (const auto& e : histogram) boxes[0].Colors.push_back(e);
    while (boxes.size() < count) {
        // Split the box with the most colour spread times pixels.
        size_t pick = boxes.size();
        long best = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].Colors.size() < 2) continue;
            const long score = boxes[i].Range(boxes[i].Widest()) * boxes[i].Weight();
            if (pick == boxes.size() || score > best) {
                pick = i;
                best = score;
            }
        }
        if (pick == boxes.size()) break;  // every colour has its own entry
        Box& b = boxes[pick];
        const int ch = b.Widest();
        std::stable_sort(b.Colors.begin(), b.Colors.end(),
                         [&](const auto& l, const auto& r) { return b.Channel(l.first, ch) < b.Channel(r.first, ch); });
        const size_t half = b.Colors.size() / 2;
        Box second;
        second.Colors.assign(b.Colors.begin() + static_cast<long>(half), b.Colors.end());
        b.Colors.resize(half);
        boxes.push_back(std::move(second));
    }
    std::vector<uint32_t> palette;
    for (const Box& b : boxes) palette.push_back(b.Mean());
    return palette;
}

std::vector<uint8_t> EncodeIcon(const art::Canvas& c)
{
    const int side = c.PixelWidth();
    // Index 0 is black; the icon's own colours follow.
    std::map<uint32_t, int> histogram;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (c.Alpha(x, y) >= 96) ++histogram[c.Pixel(x, y)];
    std::vector<uint32_t> palette{0x000000};
    for (uint32_t p : MedianCut(histogram, 255)) palette.push_back(p);
    palette.resize(256, 0x000000);

    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) { art::PutU16(out, v); };
    auto u32 = [&](uint32_t v) { art::PutU32(out, v); };
    const int maskRow = ((side + 31) / 32) * 4;
    const uint32_t pixelBytes = static_cast<uint32_t>(side * side), maskBytes = static_cast<uint32_t>(maskRow * side);
    const uint32_t imageBytes = 40 + 256 * 4 + pixelBytes + maskBytes;
    u16(0);
    u16(1);  // an icon
    u16(1);
    out.push_back(static_cast<uint8_t>(side));
    out.push_back(static_cast<uint8_t>(side));
    out.push_back(0);  // 256 colours
    out.push_back(0);
    u16(1);  // planes
    u16(8);  // bits per pixel
    u32(imageBytes);
    u32(6 + 16);
    u32(40);
    u32(static_cast<uint32_t>(side));
    u32(static_cast<uint32_t>(2 * side));
    u16(1);
    u16(8);
    u32(0);
    u32(pixelBytes + maskBytes);
    u32(0);
    u32(0);
    u32(256);
    u32(0);
    for (uint32_t p : palette) u32(p & 0x00FFFFFF);  // B, G, R, 0 in little-endian order
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x)
            out.push_back(c.Alpha(x, y) >= 96 ? static_cast<uint8_t>(art::NearestPaletteIndex(c.Pixel(x, y), palette))
                                              : uint8_t{0});
    for (int y = side - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
        for (int x = 0; x < side; ++x)
            if (c.Alpha(x, y) < 96) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// The ball in its well, in the 32-unit square the icon is designed on.
void DrawIcon(cairo_t* cr)
{
    // A dark well of the board round the ball, so the ball keeps its edge
    // on light and dark desktops alike.
    cairo_arc(cr, 16, 16, 15.6, 0, 2 * M_PI);
    cairo_pattern_t* well = cairo_pattern_create_linear(0, 0, 32, 32);
    cairo_pattern_add_color_stop_rgb(well, 0, 0.02, 0.05, 0.16);
    cairo_pattern_add_color_stop_rgb(well, 1, 0.25, 0.45, 0.85);
    cairo_set_source(cr, well);
    cairo_fill(cr);
    cairo_pattern_destroy(well);
    art::SphereStyle style;
    style.Specular = 1.0;
    art::GlossySphere(cr, 16, 16, 13.6, art::Color::Hex(board::BallColors[0]), style);
}

// ---- The shell icon --------------------------------------------------------

// Every size Windows asks for: small and large icons at 100 % to 300 %
// display scaling, the Start menu's tiles and Explorer's large views.
constexpr std::array<int, 8> ShellSizes = {16, 24, 32, 48, 64, 96, 128, 256};

// A pixel's colour without cairo's premultiplication, as 0xAARRGGBB.
uint32_t Straight(const art::Canvas& c, int x, int y)
{
    const uint32_t a = c.Alpha(x, y);
    if (a == 0) return 0;
    const uint32_t p = c.Pixel(x, y);
    auto channel = [&](int shift) {
        const uint32_t v = (p >> shift) & 0xFF;
        return std::min<uint32_t>(255, (v * 255 + a / 2) / a) << shift;
    };
    return a << 24 | channel(16) | channel(8) | channel(0);
}

// One image of the icon as Windows' 32-bit form: the header, the BGRA
// pixels bottom-up with their alpha, and the see-through mask older code
// paths draw with (set where the pixel is mostly transparent).
std::vector<uint8_t> EncodeDib32(const art::Canvas& c)
{
    const int side = c.PixelWidth();
    const int maskRow = ((side + 31) / 32) * 4;
    std::vector<uint8_t> out;
    art::PutU32(out, 40);
    art::PutU32(out, static_cast<uint32_t>(side));
    art::PutU32(out, static_cast<uint32_t>(2 * side));  // the pixels and the mask
    art::PutU16(out, 1);
    art::PutU16(out, 32);
    art::PutU32(out, 0);  // uncompressed
    art::PutU32(out, static_cast<uint32_t>(side * side * 4 + maskRow * side));
    for (int i = 0; i < 4; ++i) art::PutU32(out, 0);
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x) art::PutU32(out, Straight(c, x, y));
    for (int y = side - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
        for (int x = 0; x < side; ++x)
            if (c.Alpha(x, y) < 128) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> EncodePng(const art::Canvas& c)
{
    std::vector<uint8_t> out;
    const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
        auto* bytes = static_cast<std::vector<uint8_t>*>(closure);
        bytes->insert(bytes->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_flush(c.Surface());
    if (cairo_surface_write_to_png_stream(c.Surface(), append, &out) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("the icon's PNG could not be written");
    return out;
}

// The .ico file: its directory (one entry a size, 0 standing for 256), then
// the images in the same order.
std::vector<uint8_t> EncodeShellIcon(const std::vector<std::vector<uint8_t>>& images)
{
    std::vector<uint8_t> out;
    art::PutU16(out, 0);
    art::PutU16(out, 1);  // an icon
    art::PutU16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int side = ShellSizes[i];
        out.push_back(static_cast<uint8_t>(side & 0xFF));
        out.push_back(static_cast<uint8_t>(side & 0xFF));
        out.push_back(0);  // not paletted
        out.push_back(0);
        art::PutU16(out, 1);   // planes
        art::PutU16(out, 32);  // bits per pixel
        art::PutU32(out, static_cast<uint32_t>(images[i].size()));
        art::PutU32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

}  // namespace

void GenerateIcon(const std::filesystem::path& resourcesDir)
{
    art::Canvas c(Size, Size);
    DrawIcon(c.Cr());
    art::WriteFile(resourcesDir / "QuorVex.ico", EncodeIcon(c));
}

void GenerateShellIcon(const std::filesystem::path& windowsDir)
{
    if (art::DrawingScale() != 1) throw std::logic_error("the shell icon is drawn at its own sizes, from scale 1");
    std::vector<std::vector<uint8_t>> images;
    for (int side : ShellSizes) {
        // Exactly side x side pixels: the 32-unit drawing scaled to fit.
        art::Canvas c(side, side);
        c.ResetMatrix();
        cairo_scale(c.Cr(), side / double(Size), side / double(Size));
        DrawIcon(c.Cr());
        images.push_back(side == 256 ? EncodePng(c) : EncodeDib32(c));
    }
    art::WriteFile(windowsDir / "QuorVex.ico", EncodeShellIcon(images));
}

// ---- The installed page's icons -------------------------------------------

void GenerateWebIcons(const std::filesystem::path& webDir)
{
    if (art::DrawingScale() != 1) throw std::logic_error("the page's icons are drawn at their own sizes, from scale 1");
    std::filesystem::create_directories(webDir);
    for (int side : {192, 512}) {
        // The ball in its well, for launchers that show the icon as it is.
        art::Canvas c(side, side);
        c.ResetMatrix();
        cairo_scale(c.Cr(), side / double(Size), side / double(Size));
        DrawIcon(c.Cr());
        art::WriteFile(webDir / ("quorvex-" + std::to_string(side) + ".png"), EncodePng(c));
    }
    // A maskable icon fills its square: the launcher cuts its own shape out
    // of it, keeping at least the middle 80 %, where the ball lies whole.
    constexpr int side = 512;
    art::Canvas c(side, side);
    c.ResetMatrix();
    cairo_t* cr = c.Cr();
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, 0, side, side);
    cairo_pattern_add_color_stop_rgb(ground, 0, 0.12, 0.32, 0.72);
    cairo_pattern_add_color_stop_rgb(ground, 1, 0.04, 0.13, 0.40);
    cairo_rectangle(cr, 0, 0, side, side);
    cairo_set_source(cr, ground);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);
    const double inner = side * 0.62;
    cairo_translate(cr, (side - inner) / 2, (side - inner) / 2);
    cairo_scale(cr, inner / Size, inner / Size);
    DrawIcon(cr);
    art::WriteFile(webDir / "quorvex-maskable-512.png", EncodePng(c));
}
