// Checks of the side windows' pictures: each exists at its exact size and
// depth, the display fields are black exactly where the digits are drawn,
// every hover overlay and choice mark is the picture beneath it except in
// its lit middle, and the message pictures fit the message window's plate.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "util/Bmp.h"
#include "util/Region.h"

namespace {

struct PictureSize {
    const char* Window;
    const char* Name;
    int Width, Height;
};

// Every picture of the six side windows.
const std::vector<PictureSize> kPictures = {
    {"timer", "imgTimer", 164, 53},     {"combs", "imgCombs", 111, 53},
    {"message", "imgMessage", 360, 120}, {"message", "imgExit", 34, 29},
    {"message", "imgWin", 262, 58},      {"message", "imgHigh", 262, 58},
    {"message", "imgLost", 262, 58},     {"message", "imgFill", 262, 58},
    {"message", "imgStart", 262, 58},    {"options", "ImgOptions", 272, 160},
    {"options", "img4", 17, 21},         {"options", "img5", 16, 21},
    {"options", "img6", 14, 22},         {"options", "img8", 15, 22},
    {"options", "img10", 26, 22},        {"options", "imgYes", 37, 21},
    {"options", "imgNo", 32, 22},        {"options", "imgOk", 29, 22},
    {"options", "imgCancel", 66, 22},    {"high", "imgHigh", 428, 214},
    {"high", "imgExit", 33, 28},         {"high", "ImgReset", 124, 26},
    {"about", "ImgAbout", 360, 440},     {"about", "ImgExit", 40, 26},
};

struct Placed {
    const char* Window;
    const char* Background;
    const char* Name;
    int X, Y, W, H;
};

// Hover overlays and choice marks with the rectangles they lie at.
const std::vector<Placed> kOverlays = {
    {"message", "imgMessage", "imgExit", 316, 87, 34, 29},
    {"options", "ImgOptions", "img4", 154, 20, 17, 21},
    {"options", "ImgOptions", "img5", 193, 20, 16, 21},
    {"options", "ImgOptions", "img6", 133, 52, 14, 22},
    {"options", "ImgOptions", "img8", 171, 52, 15, 22},
    {"options", "ImgOptions", "img10", 213, 52, 26, 22},
    {"options", "ImgOptions", "imgYes", 140, 84, 37, 21},
    {"options", "ImgOptions", "imgNo", 200, 84, 32, 22},
    {"options", "ImgOptions", "imgOk", 146, 127, 29, 22},
    {"options", "ImgOptions", "imgCancel", 192, 127, 66, 22},
    {"high", "imgHigh", "imgExit", 372, 178, 33, 28},
    {"high", "imgHigh", "ImgReset", 28, 181, 124, 26},
    {"about", "ImgAbout", "ImgExit", 312, 407, 40, 26},
};

const char* kMessages[] = {"imgWin", "imgHigh", "imgLost", "imgFill", "imgStart"};

std::optional<BmpImage> Load(const std::string& window, const std::string& name, std::string* error)
{
    const std::string path = std::string(QUORVEX_SOURCE_DIR) + "/resources/" + window + "/" + name + ".bmp";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot open " + path;
        return std::nullopt;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodeBmp(bytes.data(), bytes.size(), error);
}

Bitmap Picture(const std::string& window, const std::string& name)
{
    std::string error;
    const auto image = Load(window, name, &error);
    EXPECT_TRUE(image.has_value()) << window << "/" << name << ": " << error;
    return image ? image->Picture : Bitmap{};
}

// Pixels of `part` that differ from `whole` at (x, y), split into the
// part's one-pixel border and its inside.
struct Difference {
    int Border = 0;
    int Inside = 0;
};

Difference Compare(const Bitmap& whole, const Bitmap& part, int x, int y)
{
    Difference d;
    for (int py = 0; py < part.Height; ++py) {
        for (int px = 0; px < part.Width; ++px) {
            if (part.At(px, py) == whole.At(x + px, y + py)) continue;
            const bool border = px == 0 || py == 0 || px == part.Width - 1 || py == part.Height - 1;
            ++(border ? d.Border : d.Inside);
        }
    }
    return d;
}

// True when every pixel of the rectangle is pure black, and no pixel of the
// one-pixel ring around it is: the field is exactly that rectangle.
void ExpectExactBlackField(const Bitmap& b, int left, int top, int right, int bottom, const std::string& what)
{
    int notBlack = 0;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) notBlack += b.At(x, y) != 0;
    EXPECT_EQ(notBlack, 0) << what << ": pixels inside the field that are not black";
    int blackRing = 0;
    for (int x = left - 1; x <= right + 1; ++x) blackRing += (b.At(x, top - 1) == 0) + (b.At(x, bottom + 1) == 0);
    for (int y = top; y <= bottom; ++y) blackRing += (b.At(left - 1, y) == 0) + (b.At(right + 1, y) == 0);
    EXPECT_EQ(blackRing, 0) << what << ": the black reaches beyond the field";
}

}  // namespace

TEST(SideArt, EveryPictureHasItsSizeAndDepth)
{
    for (const PictureSize& p : kPictures) {
        std::string error;
        const auto image = Load(p.Window, p.Name, &error);
        ASSERT_TRUE(image.has_value()) << p.Window << "/" << p.Name << ": " << error;
        EXPECT_EQ(image->Picture.Width, p.Width) << p.Window << "/" << p.Name;
        EXPECT_EQ(image->Picture.Height, p.Height) << p.Window << "/" << p.Name;
        EXPECT_EQ(image->BitsPerPixel, 24) << p.Window << "/" << p.Name;
    }
}

TEST(SideArt, DisplayFieldsAreBlackExactlyWhereTheDigitsGo)
{
    const Bitmap timer = Picture("timer", "imgTimer");
    ASSERT_EQ(timer.Width, 164);
    ExpectExactBlackField(timer, 16, 16, 54, 36, "timer, time field");
    ExpectExactBlackField(timer, 73, 16, 147, 36, "timer, record field");

    const Bitmap combs = Picture("combs", "imgCombs");
    ASSERT_EQ(combs.Width, 111);
    ExpectExactBlackField(combs, 16, 16, 90, 36, "combinations field");

    // Each high-score cell's six digits (72 x 19 at the cell origin) lie on
    // black, with a black pixel to spare all round.
    const Bitmap high = Picture("high", "imgHigh");
    ASSERT_EQ(high.Width, 428);
    for (int s = 4; s <= 5; ++s) {
        for (int c = 6; c <= 10; c += 2) {
            for (int d = 0; d <= 1; ++d) {
                const int x = 61 + 91 * ((s - 4) + 2 * d);
                const int y = 67 + 35 * (c / 2 - 3);
                ExpectExactBlackField(high, x - 1, y - 1, x + 72, y + 19,
                                      "high-score cell " + std::to_string(x) + "," + std::to_string(y));
            }
        }
    }
}

TEST(SideArt, RoundedWindowsArePaintedUpToTheirRegionsEdge)
{
    // The timer, combinations and high-score windows are cut with 24 x 24
    // rounded corners. The region cuts hard, so every pixel it keeps must
    // be painted: none may still show the colour left outside the corners.
    const PictureSize rounded[] = {{"timer", "imgTimer", 164, 53}, {"combs", "imgCombs", 111, 53},
                                   {"high", "imgHigh", 428, 214}};
    for (const PictureSize& p : rounded) {
        const Bitmap b = Picture(p.Window, p.Name);
        ASSERT_EQ(b.Width, p.Width);
        const Shape shape = RoundRectShape(0, 0, p.Width, p.Height, 24, 24);
        ASSERT_FALSE(shape.Contains(0, 0));
        const uint32_t outside = b.At(0, 0);
        auto distance = [outside](uint32_t c) {
            int sum = 0;
            for (int shift : {16, 8, 0})
                sum += std::abs(static_cast<int>((c >> shift) & 0xFF) - static_cast<int>((outside >> shift) & 0xFF));
            return sum;
        };
        // Only the band along the edge matters (inside, a black display
        // field may well be as dark as the outside).
        auto nearEdge = [&shape](int x, int y) {
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (!shape.Contains(x + dx, y + dy)) return true;
            return false;
        };
        int unpainted = 0, band = 0;
        for (int y = 0; y < p.Height; ++y) {
            for (int x = 0; x < p.Width; ++x) {
                if (!shape.Contains(x, y) || !nearEdge(x, y)) continue;
                ++band;
                if (distance(b.At(x, y)) < 40) ++unpainted;
            }
        }
        EXPECT_GT(band, 2 * (p.Width + p.Height)) << p.Window << "/" << p.Name;
        EXPECT_EQ(unpainted, 0) << p.Window << "/" << p.Name;
    }
}

TEST(SideArt, OverlaysAndMarksAreTheBackgroundLitOnlyInside)
{
    for (const Placed& o : kOverlays) {
        const Bitmap background = Picture(o.Window, o.Background);
        const Bitmap overlay = Picture(o.Window, o.Name);
        ASSERT_EQ(overlay.Width, o.W) << o.Name;
        ASSERT_EQ(overlay.Height, o.H) << o.Name;
        ASSERT_LE(o.X + o.W, background.Width);
        ASSERT_LE(o.Y + o.H, background.Height);
        const Difference d = Compare(background, overlay, o.X, o.Y);
        // The border meets the picture beneath seamlessly ...
        EXPECT_EQ(d.Border, 0) << o.Window << "/" << o.Name;
        // ... and the lit look is plainly visible: a tenth of the inside at least.
        EXPECT_GE(d.Inside * 10, (o.W - 2) * (o.H - 2)) << o.Window << "/" << o.Name;
        // The word or number it lights is on the background at that very
        // place, in its pale resting lettering (the panels are blue, whose
        // red channel stays far below the lettering's).
        int lettering = 0;
        for (int y = o.Y; y < o.Y + o.H; ++y)
            for (int x = o.X; x < o.X + o.W; ++x) lettering += ((background.At(x, y) >> 16) & 0xFF) > 150;
        EXPECT_GE(lettering, 12) << o.Window << "/" << o.Name;
    }
}

TEST(SideArt, MessagesFitThePlateAndAllDiffer)
{
    const Bitmap background = Picture("message", "imgMessage");
    ASSERT_EQ(background.Width, 360);
    std::vector<Bitmap> messages;
    for (const char* name : kMessages) {
        messages.push_back(Picture("message", name));
        const Bitmap& m = messages.back();
        ASSERT_EQ(m.Width, 262) << name;
        ASSERT_EQ(m.Height, 58) << name;
        // Copied opaque at (49, 23): its edge must continue the background's,
        // and its words must be there.
        const Difference d = Compare(background, m, 49, 23);
        EXPECT_EQ(d.Border, 0) << name;
        EXPECT_GT(d.Inside, 500) << name;
    }
    for (size_t i = 0; i < messages.size(); ++i)
        for (size_t j = i + 1; j < messages.size(); ++j)
            EXPECT_NE(messages[i].Pixels, messages[j].Pixels) << kMessages[i] << " and " << kMessages[j];
}
