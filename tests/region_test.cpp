// Region masks: the primitive shapes' pixels, union and difference, the
// main window's shape and its see-through holes, and the span listing.
#include <gtest/gtest.h>

#include "board/BoardRenderer.h"
#include "util/Region.h"

namespace {

long CountShape(const Shape& s, int w, int h) { return Region(w, h, s).Count(); }

}  // namespace

TEST(RegionShapes, RectangleExcludesRightAndBottom) {
    Region r(10, 10, RectShape(2, 3, 5, 7));
    EXPECT_EQ(r.Count(), 3 * 4);
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(4, 6));
    EXPECT_FALSE(r.Contains(5, 6));
    EXPECT_FALSE(r.Contains(4, 7));
    EXPECT_FALSE(r.Contains(-1, 0));
    EXPECT_FALSE(r.Contains(10, 0));
}

TEST(RegionShapes, EllipseUsesPixelCentresAndIsSymmetric) {
    // A 4x4 box: centre (2, 2), radius 2. Pixel centres at distance
    // sqrt(1.5^2 + 1.5^2) = 2.12 (the corners) are outside, the other 12 in.
    Region r(4, 4, EllipseShape(0, 0, 4, 4));
    EXPECT_EQ(r.Count(), 12);
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(3, 3));
    EXPECT_TRUE(r.Contains(0, 1));
    EXPECT_TRUE(r.Contains(1, 0));

    // A wide ellipse: mirror symmetry in both axes.
    Region e(40, 20, EllipseShape(3, 2, 37, 17));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(e.Contains(x, y), e.Contains(3 + 37 - 1 - x, y)) << x << "," << y;
            ASSERT_EQ(e.Contains(x, y), e.Contains(x, 2 + 17 - 1 - y)) << x << "," << y;
        }
    // The middle row spans the whole box width, the middle column its height.
    for (int x = 3; x < 37; ++x) EXPECT_TRUE(e.Contains(x, 9)) << x;
    EXPECT_FALSE(e.Contains(2, 9));
    EXPECT_FALSE(e.Contains(37, 9));
}

TEST(RegionShapes, RoundRectCornersMatchQuarterEllipses) {
    // The rounded rectangle's corner is the corner of its ellipse's box.
    const Shape rr = RoundRectShape(0, 0, 50, 40, 24, 24);
    const Shape corner = EllipseShape(0, 0, 24, 24);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) ASSERT_EQ(rr.Contains(x, y), corner.Contains(x, y)) << x << "," << y;
    // The straight edges are whole, the box limits exclusive.
    EXPECT_TRUE(rr.Contains(12, 0));
    EXPECT_TRUE(rr.Contains(0, 12));
    EXPECT_TRUE(rr.Contains(37, 0));
    EXPECT_FALSE(rr.Contains(49, 0));
    EXPECT_FALSE(rr.Contains(50, 20));
    EXPECT_FALSE(rr.Contains(20, 40));
    // Zero-sized corners give the plain rectangle; oversized ones the ellipse.
    EXPECT_EQ(CountShape(RoundRectShape(0, 0, 10, 10, 0, 0), 10, 10), 100);
    EXPECT_EQ(Region(30, 20, RoundRectShape(0, 0, 30, 20, 100, 100)), Region(30, 20, EllipseShape(0, 0, 30, 20)));
}

TEST(RegionShapes, OpsUnionAndDifferenceOfShapesAndMasks) {
    Region r(10, 10, RectShape(0, 0, 6, 6));
    r.Union(RectShape(4, 4, 10, 10));
    EXPECT_EQ(r.Count(), 36 + 36 - 4);
    r.Difference(RectShape(2, 2, 8, 8));
    EXPECT_EQ(r.Count(), 68 - 28);  // 16 + 16 - 4 of the cut lay inside
    EXPECT_FALSE(r.Contains(5, 5));
    EXPECT_TRUE(r.Contains(1, 1));

    Region a(10, 10, RectShape(0, 0, 5, 10)), b(10, 10, RectShape(3, 0, 10, 10));
    Region u = a;
    u.Union(b);
    EXPECT_EQ(u.Count(), 100);
    Region d = a;
    d.Difference(b);
    EXPECT_EQ(d.Count(), 30);
    // Shapes past the mask's edge are cut, not wrapped.
    Region edge(4, 4, RectShape(-10, 2, 100, 3));
    EXPECT_EQ(edge.Count(), 4);
}

TEST(RegionBoard, OutlineHasTheRightPixels) {
    const Region r = BoardOutline();
    // Inside the rounded left panel, and on its straight edges.
    EXPECT_TRUE(r.Contains(100, 100));
    EXPECT_TRUE(r.Contains(12, 12));
    EXPECT_TRUE(r.Contains(0, 200));
    EXPECT_TRUE(r.Contains(150, 0));
    // Outside its rounded corners.
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(2, 2));
    EXPECT_FALSE(r.Contains(0, 415));
    EXPECT_FALSE(r.Contains(286, 1));
    // The concave, rounded inner corner where the panel meets the right part:
    // a fillet of the step-4 rectangle survives at its bottom left...
    EXPECT_TRUE(r.Contains(288, 179));
    EXPECT_TRUE(r.Contains(289, 178));
    // ...while the rest of that rectangle is cut away.
    EXPECT_FALSE(r.Contains(300, 150));
    EXPECT_FALSE(r.Contains(320, 178));
    EXPECT_FALSE(r.Contains(299, 170));
    // The panel right of x = 287 above the fillet belongs to step 4 only.
    EXPECT_FALSE(r.Contains(288, 130));
    // The right part: rectangle and round end; nothing below y = 416.
    // Row 180 still lies in the cut-out rounded rectangle except at its
    // corners; the right part proper starts at row 181.
    EXPECT_FALSE(r.Contains(300, 180));
    EXPECT_TRUE(r.Contains(288, 180));
    EXPECT_TRUE(r.Contains(350, 180));
    EXPECT_TRUE(r.Contains(300, 181));
    EXPECT_TRUE(r.Contains(407, 414));
    EXPECT_TRUE(r.Contains(520, 298));
    EXPECT_FALSE(r.Contains(527, 185));
    EXPECT_FALSE(r.Contains(340, 100));
    for (int x = 0; x < 528; ++x)
        for (int y = 416; y < 420; ++y) ASSERT_FALSE(r.Contains(x, y)) << x << "," << y;
}

TEST(RegionBoard, SixtySeeThroughHolesRemoveExactlyTheirEllipses) {
    const Region outline = BoardOutline();
    Region cut = outline;
    Region holes(528, 420);
    for (int p = 1; p <= 5; ++p)
        for (int r = 1; r <= 12; ++r) {
            const Shape hole = EllipseShape(32 * p + 31, 32 * r - 17, 32 * p + 58, 32 * r + 10);
            cut.Difference(hole);
            holes.Union(hole);
        }
    // Every hole lies wholly inside the panel, and they do not overlap, so
    // exactly their pixels are gone.
    const long perHole = CountShape(EllipseShape(63, 15, 90, 42), 528, 420);
    EXPECT_GT(perHole, 27 * 27 / 2);
    EXPECT_EQ(holes.Count(), 60 * perHole);
    EXPECT_EQ(outline.Count() - cut.Count(), 60 * perHole);
    for (int y = 0; y < 420; ++y)
        for (int x = 0; x < 528; ++x)
            ASSERT_EQ(cut.Contains(x, y), outline.Contains(x, y) && !holes.Contains(x, y)) << x << "," << y;
    // Hole (1, 1): centre pixel gone, box corner and the pixel just past the
    // exclusive right edge kept.
    EXPECT_FALSE(cut.Contains(76, 28));
    EXPECT_TRUE(cut.Contains(63, 15));
    EXPECT_TRUE(cut.Contains(90, 28));
    EXPECT_FALSE(cut.Contains(89, 28));
    EXPECT_FALSE(cut.Contains(63, 28));
}

TEST(RegionShapes, SpansListRunsPerRowAndRebuildTheMask) {
    Region r(8, 3, RectShape(1, 0, 3, 1));
    r.Union(RectShape(5, 0, 8, 1));
    r.Union(RectShape(0, 2, 8, 3));
    const std::vector<Span> want = {{0, 1, 3}, {0, 5, 8}, {2, 0, 8}};
    EXPECT_EQ(r.Spans(), want);

    const Region board = BoardOutline();
    Region rebuilt(528, 420);
    long total = 0;
    for (const Span& s : board.Spans()) {
        ASSERT_LT(s.Left, s.Right);
        total += s.Right - s.Left;
        rebuilt.Union(RectShape(s.Left, s.Y, s.Right, s.Y + 1));
    }
    EXPECT_EQ(total, board.Count());
    EXPECT_EQ(rebuilt, board);
    EXPECT_TRUE(Region(5, 5).Spans().empty());
}

TEST(RegionShapes, RowRunsHoldExactlyThePixelsTheShapeTestHolds) {
    // Masks are filled run by run; every pixel must still agree with the
    // shape's own test, for odd and even sizes, clipped or not.
    uint32_t seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(n));
    };
    for (int round = 0; round < 300; ++round) {
        const int l = next(60) - 20, t = next(60) - 20;
        const int r = l + 1 + next(70), b = t + 1 + next(70);
        const Shape shapes[] = {EllipseShape(l, t, r, b), RoundRectShape(l, t, r, b, next(40), next(40)),
                                RectShape(l, t, r, b)};
        for (const Shape& s : shapes) {
            const Region mask(64, 64, s);
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    ASSERT_EQ(mask.Contains(x, y), s.Contains(x, y))
                        << "round " << round << " shape " << int(s.Type) << " at " << x << "," << y;
        }
    }
}
