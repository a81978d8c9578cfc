// IconArt: the program's icon, a glossy red ball of the game in a sliver of
// the board's blue, as a 32 x 32 .ico of 256 colours (64 x 64 and 96 x 96
// at the larger scales, drawn from the same shapes). The palette is made by
// median cut over the picture's own colours, in a fixed order, so the file
// is the same on every run.
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
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

}  // namespace

void GenerateIcon(const std::filesystem::path& resourcesDir)
{
    art::Canvas c(Size, Size);
    cairo_t* cr = c.Cr();
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
    art::WriteFile(resourcesDir / "QuorVex.ico", EncodeIcon(c));
}
