// Blits: the three raster operations on chosen pixel values, clipping at
// every edge of both bitmaps, masked sprite drawing, and copies of a bitmap
// onto itself.
#include <gtest/gtest.h>

#include <climits>

#include "util/Blit.h"

namespace {

// A bitmap whose every pixel is distinct, so a misplaced copy shows.
Bitmap Numbered(int w, int h, uint32_t base = 0x100000) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.At(x, y) = base + uint32_t(y * 256 + x);
    return b;
}

// Counts pixels of canvas that differ from before.
int Changed(const Bitmap& before, const Bitmap& after) {
    int n = 0;
    for (size_t i = 0; i < before.Pixels.size(); ++i) n += before.Pixels[i] != after.Pixels[i];
    return n;
}

}  // namespace

TEST(Blit, RopEachOperationOnChosenValues) {
    const uint32_t dst = 0x00F0F00F, src = 0x003C3CF0;
    Bitmap source(1, 1, src);
    {
        Bitmap canvas(1, 1, dst);
        BlitRectRop(canvas, 0, 0, 1, 1, 0, 0, source, RopSrcCopy);
        EXPECT_EQ(canvas.At(0, 0), 0x003C3CF0u);
    }
    {
        Bitmap canvas(1, 1, dst);
        BlitRectRop(canvas, 0, 0, 1, 1, 0, 0, source, RopSrcAnd);
        EXPECT_EQ(canvas.At(0, 0), 0x00303000u);
    }
    {
        Bitmap canvas(1, 1, dst);
        BlitRectRop(canvas, 0, 0, 1, 1, 0, 0, source, RopSrcPaint);
        EXPECT_EQ(canvas.At(0, 0), 0x00FCFCFFu);
    }
    {   // An operation the program does not use draws nothing.
        Bitmap canvas(1, 1, dst);
        BlitRectRop(canvas, 0, 0, 1, 1, 0, 0, source, 0x00660046 /* SRCINVERT */);
        EXPECT_EQ(canvas.At(0, 0), dst);
    }
    EXPECT_EQ(RopSrcCopy, 0x00CC0020u);
    EXPECT_EQ(RopSrcAnd, 0x008800C6u);
    EXPECT_EQ(RopSrcPaint, 0x00EE0086u);
}

TEST(Blit, RectCopiesTheGivenSourceRectangleToTheGivenPlace) {
    const Bitmap source = Numbered(8, 6);
    Bitmap canvas(10, 10, 0);
    BlitRect(canvas, 4, 5, 3, 2, 2, 1, source);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 4 && x < 7 && y >= 5 && y < 7;
            const uint32_t want = inside ? source.At(x - 4 + 2, y - 5 + 1) : 0u;
            ASSERT_EQ(canvas.At(x, y), want) << x << "," << y;
        }
}

TEST(Blit, PictureCopiesWholePictureAtItsOwnSize) {
    const Bitmap source = Numbered(3, 2);
    Bitmap canvas(5, 5, 7);
    BlitPicture(canvas, 1, 2, source);
    EXPECT_EQ(canvas.At(1, 2), source.At(0, 0));
    EXPECT_EQ(canvas.At(3, 3), source.At(2, 1));
    EXPECT_EQ(canvas.At(4, 3), 7u);
    EXPECT_EQ(canvas.At(1, 4), 7u);
    EXPECT_EQ(Changed(Bitmap(5, 5, 7), canvas), 6);
}

TEST(Blit, ClipDestinationEdges) {
    const Bitmap source = Numbered(4, 4);
    struct Case { int x, y; int changed; uint32_t at00; };
    // Overhanging left/top: the visible part comes from further into the source.
    {
        Bitmap canvas(6, 6, 0);
        BlitRect(canvas, -2, -1, 4, 4, 0, 0, source);
        EXPECT_EQ(Changed(Bitmap(6, 6, 0), canvas), 2 * 3);
        EXPECT_EQ(canvas.At(0, 0), source.At(2, 1));
        EXPECT_EQ(canvas.At(1, 2), source.At(3, 3));
    }
    {   // Overhanging right/bottom.
        Bitmap canvas(6, 6, 0);
        BlitRect(canvas, 4, 5, 4, 4, 0, 0, source);
        EXPECT_EQ(Changed(Bitmap(6, 6, 0), canvas), 2 * 1);
        EXPECT_EQ(canvas.At(4, 5), source.At(0, 0));
        EXPECT_EQ(canvas.At(5, 5), source.At(1, 0));
    }
    {   // Entirely outside on each side: nothing.
        for (auto [x, y] : {std::pair{-4, 0}, {6, 0}, {0, -4}, {0, 6}}) {
            Bitmap canvas(6, 6, 0);
            BlitRect(canvas, x, y, 4, 4, 0, 0, source);
            EXPECT_EQ(Changed(Bitmap(6, 6, 0), canvas), 0) << x << "," << y;
        }
    }
}

TEST(Blit, ClipSourceEdges) {
    const Bitmap source = Numbered(4, 4);
    {   // Source rectangle starting left of / above the source.
        Bitmap canvas(6, 6, 0);
        BlitRect(canvas, 1, 1, 3, 3, -1, -2, source);
        EXPECT_EQ(Changed(Bitmap(6, 6, 0), canvas), 2 * 1);
        EXPECT_EQ(canvas.At(2, 3), source.At(0, 0));
        EXPECT_EQ(canvas.At(3, 3), source.At(1, 0));
        EXPECT_EQ(canvas.At(1, 1), 0u);
    }
    {   // Source rectangle running past the right / bottom.
        Bitmap canvas(6, 6, 0);
        BlitRect(canvas, 0, 0, 3, 3, 2, 3, source);
        EXPECT_EQ(Changed(Bitmap(6, 6, 0), canvas), 2 * 1);
        EXPECT_EQ(canvas.At(0, 0), source.At(2, 3));
        EXPECT_EQ(canvas.At(1, 0), source.At(3, 3));
    }
    {   // Both bitmaps clip at once: canvas on the left, source on the bottom.
        Bitmap canvas(6, 6, 0);
        BlitRect(canvas, -1, 0, 3, 3, 0, 2, source);
        EXPECT_EQ(Changed(Bitmap(6, 6, 0), canvas), 2 * 2);
        EXPECT_EQ(canvas.At(0, 0), source.At(1, 2));
        EXPECT_EQ(canvas.At(1, 1), source.At(2, 3));
    }
}

TEST(Blit, ClipDegenerateAndExtremeArguments) {
    const Bitmap source = Numbered(4, 4);
    const Bitmap blank(6, 6, 0);
    for (auto [w, h] : {std::pair{0, 3}, {3, 0}, {-3, 3}, {3, -3}}) {
        Bitmap canvas = blank;
        BlitRect(canvas, 0, 0, w, h, 0, 0, source);
        EXPECT_EQ(Changed(blank, canvas), 0) << w << "x" << h;
    }
    {   // Coordinates near the int limits must not wrap into the bitmaps.
        Bitmap canvas = blank;
        BlitRect(canvas, INT_MAX - 1, 0, INT_MAX, 3, 0, 0, source);
        BlitRect(canvas, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, source);
        BlitRect(canvas, 0, 0, INT_MAX, INT_MAX, INT_MIN, INT_MIN, source);
        BlitRect(canvas, 0, 0, 2, 2, INT_MAX, INT_MAX, source);
        EXPECT_EQ(Changed(blank, canvas), 0);
    }
    {   // Empty bitmaps on either side.
        Bitmap canvas = blank;
        BlitPicture(canvas, 0, 0, Bitmap());
        Bitmap empty;
        BlitPicture(empty, 0, 0, source);
        EXPECT_EQ(Changed(blank, canvas), 0);
        EXPECT_TRUE(empty.Pixels.empty());
    }
}

TEST(Blit, MaskedAndThenOrDrawsSpriteAndKeepsBackgroundOutsideMask) {
    // A 4x4 sprite: a 2x2 shape in the middle. Mask is black on the shape,
    // white around; the image is coloured on the shape, black around.
    const uint32_t white = 0x00FFFFFF, colour = 0x00C03010;
    Bitmap mask(4, 4, white), image(4, 4, 0);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 3; ++x) mask.At(x, y) = 0, image.At(x, y) = colour;

    Bitmap background = Numbered(8, 8, 0x00204000);
    Bitmap canvas = background;
    BlitRectRop(canvas, 2, 3, 4, 4, 0, 0, mask, RopSrcAnd);
    BlitRectRop(canvas, 2, 3, 4, 4, 0, 0, image, RopSrcPaint);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool shape = x >= 3 && x < 5 && y >= 4 && y < 6;
            ASSERT_EQ(canvas.At(x, y), shape ? colour : background.At(x, y)) << x << "," << y;
        }
}

TEST(Blit, SelfOverlappingCopyOntoItselfSeesTheOriginalPixels) {
    Bitmap b = Numbered(6, 1);
    const Bitmap before = b;
    BlitRect(b, 1, 0, 4, 1, 0, 0, b);  // shift right by one
    EXPECT_EQ(b.At(0, 0), before.At(0, 0));
    for (int x = 1; x < 5; ++x) EXPECT_EQ(b.At(x, 0), before.At(x - 1, 0)) << x;
    EXPECT_EQ(b.At(5, 0), before.At(5, 0));

    Bitmap c = Numbered(1, 6);
    const Bitmap cBefore = c;
    BlitRect(c, 0, 0, 1, 4, 0, 1, c);  // shift up by one
    for (int y = 0; y < 4; ++y) EXPECT_EQ(c.At(0, y), cBefore.At(0, y + 1)) << y;
}
