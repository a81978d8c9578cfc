// CursorArt: the closed-hand cursor "FIST", shown while a ball is carried.
// A two-colour 32 x 32 .cur with the hot spot (15, 15) in the middle of the
// fist: each pixel is black, white or see-through and nothing in between.
// At scale S it is the same hand with every cell of its grid S x S pixels
// (64 x 64 or 96 x 96, hot spot 15 S, 15 S): a two-colour picture has no
// edge to draw finer, and the hand keeps its exact shape.
#include <iterator>
#include <vector>

#include "ArtCommon.h"
#include "BoardArt.h"

namespace {

constexpr int Size = 32;
constexpr int HotX = 15, HotY = 15;

// The hand, pixel by pixel: at 32 x 32 in two colours a drawn outline
// cannot be anti-aliased, so the shape is set by hand. '#' is black, 'o'
// white, '.' see-through. Four curled fingers on top, the thumb folded at
// the left, the back of the hand below; the hot spot is on the back of the
// hand, in the middle of the fist.
constexpr const char* kHand[] = {
    ".....##.##.##.##....",
    "....#oo#oo#oo#oo#...",
    "....#oo#oo#oo#oo##..",
    "..###oo#oo#oo#oo#o#.",
    ".#ooo#oooooooooo#o#.",
    ".#oooo#ooooooooooo#.",
    ".#oooooooooooooooo#.",
    "..#ooooooooooooooo#.",
    "..#ooooooooooooooo#.",
    "...#oooooooooooooo#.",
    "...#ooooooooooooo#..",
    "....#oooooooooooo#..",
    ".....#ooooooooooo#..",
    ".....#ooooooooooo#..",
    ".....#ooooooooooo#..",
    ".....#############..",
};
constexpr int HandX = 6, HandY = 8;  // where the grid's corner lies

std::vector<uint8_t> EncodeCursor(const art::Canvas& c)
{
    const int side = c.PixelWidth();
    const int scale = c.Scale();
    const int rowBytes = side / 8;  // 32, 64 and 96 are whole 32-bit words
    // Classify: see-through (AND 1, XOR 0), black (0, 0), white (0, 1).
    std::vector<uint8_t> xorBits(static_cast<size_t>(rowBytes * side), 0), andBits(xorBits.size(), 0);
    for (int y = 0; y < side; ++y) {
        const int row = side - 1 - y;  // rows are stored bottom-up
        for (int x = 0; x < side; ++x) {
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            const size_t at = static_cast<size_t>(row * rowBytes + x / 8);
            if (c.Alpha(x, y) < 128)
                andBits[at] |= bit;
            else if ((c.Pixel(x, y) & 0xFF) >= 128)
                xorBits[at] |= bit;
        }
    }
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) { art::PutU16(out, v); };
    auto u32 = [&](uint32_t v) { art::PutU32(out, v); };
    const uint32_t bitsBytes = static_cast<uint32_t>(2 * rowBytes * side);
    const uint32_t imageBytes = 40 + 2 * 4 + bitsBytes;
    u16(0);  // reserved
    u16(2);  // a cursor
    u16(1);  // one image
    out.push_back(static_cast<uint8_t>(side));
    out.push_back(static_cast<uint8_t>(side));
    out.push_back(2);  // colours
    out.push_back(0);
    u16(static_cast<uint32_t>(HotX * scale));
    u16(static_cast<uint32_t>(HotY * scale));
    u32(imageBytes);
    u32(6 + 16);
    // The image: a BITMAPINFOHEADER of double height (XOR then AND rows).
    u32(40);
    u32(static_cast<uint32_t>(side));
    u32(static_cast<uint32_t>(2 * side));
    u16(1);
    u16(1);
    u32(0);
    u32(bitsBytes);
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
    const int s = c.Scale();
    for (int row = 0; row < static_cast<int>(std::size(kHand)); ++row)
        for (int col = 0; kHand[row][col]; ++col) {
            const char ch = kHand[row][col];
            if (ch == '.') continue;
            for (int dy = 0; dy < s; ++dy)
                for (int dx = 0; dx < s; ++dx)
                    c.SetPixel((HandX + col) * s + dx, (HandY + row) * s + dy, ch == '#' ? 0x000000 : 0xFFFFFF);
        }
    art::WriteFile(resourcesDir / "FIST.cur", EncodeCursor(c));
}
