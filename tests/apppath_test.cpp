// AppDir and PointInArea: cutting the program path, and the inclusive hit
// test of the side windows.
#include <gtest/gtest.h>

#include <climits>

#include "util/AppDir.h"
#include "util/Geometry.h"

TEST(ProgramFiles, AppDirCutsAfterTheLastSeparatorAndKeepsIt) {
    EXPECT_EQ(AppDir("C:\\Games\\QuorVex\\QuorVex.exe"), "C:\\Games\\QuorVex\\");
    EXPECT_EQ(AppDir("/usr/local/bin/quorvex"), "/usr/local/bin/");
    EXPECT_EQ(AppDir("C:/Games\\sub/QuorVex.exe"), "C:/Games\\sub/");
    EXPECT_EQ(AppDir("/quorvex"), "/");
    EXPECT_EQ(AppDir("dir\\"), "dir\\");
    EXPECT_EQ(AppDir("QuorVex.exe"), "");
    EXPECT_EQ(AppDir(""), "");
}

TEST(Geometry, PointInAreaHasBothEdgesInclusive) {
    // Options' Ok overlay: (146, 127, 29, 22) covers x 146..174, y 127..148.
    EXPECT_TRUE(PointInArea(146, 127, 146, 127, 29, 22));
    EXPECT_TRUE(PointInArea(174, 148, 146, 127, 29, 22));
    EXPECT_FALSE(PointInArea(175, 148, 146, 127, 29, 22));
    EXPECT_FALSE(PointInArea(174, 149, 146, 127, 29, 22));
    EXPECT_FALSE(PointInArea(145, 130, 146, 127, 29, 22));
    EXPECT_FALSE(PointInArea(150, 126, 146, 127, 29, 22));
    EXPECT_FALSE(PointInArea(0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(PointInArea(0, 0, 0, 0, 1, 1));
    // No wrap-around at the limits.
    EXPECT_FALSE(PointInArea(INT_MIN, 0, INT_MAX, 0, INT_MAX, 1));
    EXPECT_TRUE(PointInArea(INT_MAX, 0, INT_MAX, 0, 1, 1));
}

TEST(Geometry, RectIntersectOverlapAndDisjoint) {
    EXPECT_EQ(Intersect(Rect{0, 0, 10, 10}, Rect{5, 6, 10, 10}), (Rect{5, 6, 5, 4}));
    EXPECT_TRUE(Intersect(Rect{0, 0, 5, 5}, Rect{5, 0, 5, 5}).Empty());
}

// The layout tables are compile-time constants of this type.
static_assert(Rect{3, 4, 10, 6}.Right() == 13 && Rect{3, 4, 10, 6}.Bottom() == 10);

TEST(Geometry, RectInsetShrinksEverySideAndGrowsWhenNegative) {
    const Rect r{10, 20, 30, 40};
    EXPECT_EQ(r.Inset(2), (Rect{12, 22, 26, 36}));
    EXPECT_EQ(r.Inset(-1), (Rect{9, 19, 32, 42}));
    EXPECT_TRUE((Rect{0, 0, 4, 4}).Inset(2).Empty());
}

#include "util/HelpFile.h"

TEST(ProgramFiles, HelpIsTheHtmlDocumentOfTheHelpFilesName) {
    EXPECT_EQ(HtmlHelpFor("/opt/quorvex/QuorVex.hlp"), "/opt/quorvex/QuorVex.html");
    EXPECT_EQ(HtmlHelpFor("C:\\Games\\Quor.Vex\\QuorVex.hlp"), "C:\\Games\\Quor.Vex\\QuorVex.html");
    EXPECT_EQ(HtmlHelpFor("/opt/quor.vex/QuorVex"), "/opt/quor.vex/QuorVex.html");  // a dot in a folder only
    EXPECT_EQ(HtmlHelpFor("QuorVex.hlp"), "QuorVex.html");
}
