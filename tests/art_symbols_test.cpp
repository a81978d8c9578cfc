// The balls' engraved symbols: the sprite sheets obey the masked-sprite
// rules and sit inside the balls they engrave, and every pair of balls
// stays apart by its symbol alone, also for eyes that mix up their colours.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ColourVision.h"
#include "board/BoardGeometry.h"
#include "resources/Pictures.h"

namespace {

using namespace colour_vision;

Bitmap Main(const std::string& name)
{
    std::string error;
    auto img = LoadPicture(PictureWindow::Main, name, &error);
    if (!img) {
        ADD_FAILURE() << name << ": " << error;
        return {};
    }
    return std::move(img->Picture);
}

TEST(ArtSymbols, HoleSheetIsThePlainSheetsSizeInsideItsMask)
{
    const Bitmap symbols = Main("ImgSymbols"), plain = Main("ImgColors"), mask = Main("ImgMask");
    ASSERT_EQ(symbols.Width, plain.Width);
    ASSERT_EQ(symbols.Height, plain.Height);
    for (int c = 0; c < 10; ++c) {
        int changed = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint32_t s = symbols.At(x, 32 * c + y);
                if (mask.At(x, y) == 0xFFFFFF) {
                    EXPECT_EQ(s, 0u) << "ink outside the ball, frame " << c + 1;
                }
                if (s != plain.At(x, 32 * c + y)) ++changed;
            }
        // A symbol a player can see at 24 pixels, that leaves the ball round it.
        EXPECT_GT(changed, 30) << "frame " << c + 1;
        EXPECT_LT(changed, 200) << "frame " << c + 1;
    }
}

TEST(ArtSymbols, ColumnEngravingsLieInsideTheBoardsBalls)
{
    const Bitmap image = Main("ImgSymbolColumn"), mask = Main("ImgSymbolColumnMask");
    ASSERT_EQ(image.Width, 32);
    ASSERT_EQ(image.Height, 320);
    ASSERT_EQ(mask.Width, 32);
    ASSERT_EQ(mask.Height, 320);
    for (int c = 0; c < 10; ++c) {
        int ink = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint32_t m = mask.At(x, 32 * c + y);
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF);
                if (m == 0xFFFFFF) {
                    EXPECT_EQ(image.At(x, 32 * c + y), 0u);
                    continue;
                }
                ++ink;
                // Well inside the column's ball (radius 13), which frames it.
                const double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
                EXPECT_LT(dx * dx + dy * dy, 10.0 * 10.0) << "frame " << c + 1 << " at " << x << "," << y;
            }
        EXPECT_GT(ink, 30) << "frame " << c + 1;
    }
}

// What an eye sees of a ball's symbol: the pixels of its 24 x 24 square
// where the engraved ball looks clearly different from the plain one.
using SymbolMask = std::array<bool, 24 * 24>;
constexpr double SeenDifference = 10.0;  // CIEDE2000

SymbolMask Seen(const Bitmap& symbols, const Bitmap& plain, int c, const Matrix* vision)
{
    SymbolMask mask{};
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x) {
            const int sx = board::BallInset + x, sy = 32 * (c - 1) + board::BallInset + y;
            mask[size_t(24 * y + x)] =
                DeltaE2000(SeenAs(symbols.At(sx, sy), vision), SeenAs(plain.At(sx, sy), vision)) > SeenDifference;
        }
    return mask;
}

// The share of the two symbols' pixels that only one of them has.
double ShapeDistance(const SymbolMask& a, const SymbolMask& b)
{
    int either = 0, one = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        either += a[i] || b[i];
        one += a[i] != b[i];
    }
    return either ? double(one) / either : 0.0;
}

TEST(ArtSymbols, EveryPairOfBallsDiffersBySymbolInEveryVision)
{
    const Bitmap symbols = Main("ImgSymbols"), plain = Main("ImgColors");
    const struct {
        const char* Name;
        const Matrix* M;
    } visions[] = {{"normal", nullptr}, {"protanopia", &kProtan}, {"deuteranopia", &kDeutan}, {"tritanopia", &kTritan}};
    for (const auto& v : visions) {
        SymbolMask masks[11];
        for (int c = 1; c <= 10; ++c) {
            masks[c] = Seen(symbols, plain, c, v.M);
            int pixels = 0;
            for (bool p : masks[c]) pixels += p;
            EXPECT_GT(pixels, 30) << v.Name << ": the symbol of ball " << c << " fades";
        }
        double worst = 1;
        int wa = 0, wb = 0;
        for (int a = 1; a <= 10; ++a)
            for (int b = a + 1; b <= 10; ++b)
                if (const double d = ShapeDistance(masks[a], masks[b]); d < worst) {
                    worst = d;
                    wa = a;
                    wb = b;
                }
        std::printf("  %-12s most alike symbols: balls %d and %d, %.0f%% of their pixels differ\n", v.Name, wa, wb,
                    100 * worst);
        // A third of the pixels: a dot against a ring, a plus against a
        // cross, never a blob against a slightly bigger blob.
        EXPECT_GE(worst, 1.0 / 3) << v.Name << ": balls " << wa << " and " << wb;
    }
}

}  // namespace
