// Checks of the side windows' pictures: each exists at its exact size and
// depth, the display fields are black exactly where the digits are drawn,
// every hover overlay and choice mark is the picture beneath it except in
// its lit middle, and the message pictures fit the message window's plate.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "resources/Pictures.h"
#include "util/Bmp.h"
#include "util/Region.h"
#include "windows/AboutLayout.h"
#include "windows/CombsLayout.h"
#include "windows/HighLayout.h"
#include "windows/MessageLayout.h"
#include "windows/OptionsLayout.h"
#include "windows/StatsLayout.h"
#include "windows/TimerLayout.h"

namespace {

struct PictureSize {
    PictureWindow Window;
    const char* Name;
    int Width, Height;
};

// Every picture of the seven side windows.
const std::vector<PictureSize> kPictures = [] {
    std::vector<PictureSize> all = {
        {PictureWindow::Timer, "imgTimer", TimerLayout::Width, TimerLayout::Height},
        {PictureWindow::Combs, "imgCombs", CombsLayout::Width, CombsLayout::Height},
        {PictureWindow::Message, "imgMessage", MessageLayout::Width, MessageLayout::Height},
        {PictureWindow::Message, "imgExit", MessageLayout::Exit.Width, MessageLayout::Exit.Height},
        {PictureWindow::Options, "ImgOptions", OptionsLayout::Width, OptionsLayout::Height},
        {PictureWindow::Options, "imgOk", OptionsLayout::Ok.Width, OptionsLayout::Ok.Height},
        {PictureWindow::Options, "imgCancel", OptionsLayout::Cancel.Width, OptionsLayout::Cancel.Height},
        {PictureWindow::High, "imgHigh", HighLayout::Width, HighLayout::Height},
        {PictureWindow::High, "imgExit", HighLayout::Exit.Width, HighLayout::Exit.Height},
        {PictureWindow::High, "ImgReset", HighLayout::Reset.Width, HighLayout::Reset.Height},
        {PictureWindow::About, "ImgAbout", AboutLayout::Width, AboutLayout::Height},
        {PictureWindow::About, "ImgExit", AboutLayout::Exit.Width, AboutLayout::Exit.Height},
        {PictureWindow::High, "imgStats", HighLayout::Stats.Width, HighLayout::Stats.Height},
        {PictureWindow::Stats, "imgStats", StatsLayout::Width, StatsLayout::Height},
        {PictureWindow::Stats, "imgPrev", StatsLayout::Prev.Width, StatsLayout::Prev.Height},
        {PictureWindow::Stats, "imgNext", StatsLayout::Next.Width, StatsLayout::Next.Height},
        {PictureWindow::Stats, "imgClear", StatsLayout::Clear.Width, StatsLayout::Clear.Height},
        {PictureWindow::Stats, "imgClearArmed", StatsLayout::Clear.Width, StatsLayout::Clear.Height},
        {PictureWindow::Stats, "imgExit", StatsLayout::Exit.Width, StatsLayout::Exit.Height},
        {PictureWindow::Stats, "imgCaptions", StatsLayout::Caption.Width,
         StatsLayout::Caption.Height * StatsLayout::CaptionCount},
        {PictureWindow::Stats, "imgChart", StatsLayout::Bars.Width, StatsLayout::Bars.Height},
        {PictureWindow::Stats, "imgBar", StatsLayout::BarWidth, StatsLayout::BarHeight},
    };
    for (const char* name : {"imgWin", "imgHigh", "imgLost", "imgFill", "imgStart"})
        all.push_back({PictureWindow::Message, name, MessageLayout::Plate.Width, MessageLayout::Plate.Height});
    for (const OptionsLayout::Choice& c : OptionsLayout::Choices)
        all.push_back({PictureWindow::Options, c.Name, c.Area.Width, c.Area.Height});
    return all;
}();

struct Placed {
    PictureWindow Window;
    const char* Background;
    const char* Name;
    int X, Y, W, H;
};

// Hover overlays and choice marks with the rectangles they lie at.
Placed At(PictureWindow window, const char* background, const char* name, const Rect& a)
{
    return {window, background, name, a.Left, a.Top, a.Width, a.Height};
}

const std::vector<Placed> kOverlays = [] {
    std::vector<Placed> all = {At(PictureWindow::Message, "imgMessage", "imgExit", MessageLayout::Exit)};
    for (const OptionsLayout::Choice& c : OptionsLayout::Choices)
        all.push_back(At(PictureWindow::Options, "ImgOptions", c.Name, c.Area));
    all.push_back(At(PictureWindow::Options, "ImgOptions", "imgOk", OptionsLayout::Ok));
    all.push_back(At(PictureWindow::Options, "ImgOptions", "imgCancel", OptionsLayout::Cancel));
    all.push_back(At(PictureWindow::High, "imgHigh", "imgExit", HighLayout::Exit));
    all.push_back(At(PictureWindow::High, "imgHigh", "ImgReset", HighLayout::Reset));
    all.push_back(At(PictureWindow::About, "ImgAbout", "ImgExit", AboutLayout::Exit));
    all.push_back(At(PictureWindow::High, "imgHigh", "imgStats", HighLayout::Stats));
    all.push_back(At(PictureWindow::Stats, "imgStats", "imgPrev", StatsLayout::Prev));
    all.push_back(At(PictureWindow::Stats, "imgStats", "imgNext", StatsLayout::Next));
    all.push_back(At(PictureWindow::Stats, "imgStats", "imgClear", StatsLayout::Clear));
    all.push_back(At(PictureWindow::Stats, "imgStats", "imgExit", StatsLayout::Exit));
    return all;
}();

const char* kMessages[] = {"imgWin", "imgHigh", "imgLost", "imgFill", "imgStart"};

// A picture as the program has it: embedded, found by window and name.
Bitmap Picture(PictureWindow window, const std::string& name)
{
    std::string error;
    const auto image = LoadPicture(window, name, &error);
    EXPECT_TRUE(image.has_value()) << WindowFolder(window) << "/" << name << ": " << error;
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
        const auto image = LoadPicture(p.Window, p.Name, &error);
        ASSERT_TRUE(image.has_value()) << WindowFolder(p.Window) << "/" << p.Name << ": " << error;
        EXPECT_EQ(image->Picture.Width, p.Width) << WindowFolder(p.Window) << "/" << p.Name;
        EXPECT_EQ(image->Picture.Height, p.Height) << WindowFolder(p.Window) << "/" << p.Name;
        EXPECT_EQ(image->BitsPerPixel, 24) << WindowFolder(p.Window) << "/" << p.Name;
    }
}

TEST(SideArt, DisplayFieldsAreBlackExactlyWhereTheDigitsGo)
{
    auto field = [](const Bitmap& b, const Rect& a, const std::string& what) {
        ExpectExactBlackField(b, a.Left, a.Top, a.Right() - 1, a.Bottom() - 1, what);
    };
    const Bitmap timer = Picture(PictureWindow::Timer, "imgTimer");
    ASSERT_EQ(timer.Width, TimerLayout::Width);
    field(timer, TimerLayout::TimeField, "timer, time field");
    field(timer, TimerLayout::RecordField, "timer, record field");

    const Bitmap combs = Picture(PictureWindow::Combs, "imgCombs");
    ASSERT_EQ(combs.Width, CombsLayout::Width);
    field(combs, CombsLayout::CountField, "combinations field");

    // The texts lie wholly in their fields, a pixel inside the edge.
    auto inside = [](const Layout::Point& p, int chars, const Rect& a) {
        return p.X > a.Left && p.Y > a.Top && p.X + chars * Layout::DigitWidth < a.Right() &&
               p.Y + Layout::DigitHeight < a.Bottom();
    };
    EXPECT_TRUE(inside(TimerLayout::TimeText, TimerLayout::TimeChars, TimerLayout::TimeField));
    EXPECT_TRUE(inside(TimerLayout::RecordText, TimerLayout::RecordChars, TimerLayout::RecordField));
    EXPECT_TRUE(inside(CombsLayout::CountText, CombsLayout::CountChars, CombsLayout::CountField));

    // Each high-score cell's six digits (from the cell origin) lie on
    // black, with a black pixel to spare all round.
    const Bitmap high = Picture(PictureWindow::High, "imgHigh");
    ASSERT_EQ(high.Width, HighLayout::Width);
    constexpr int textW = HighLayout::CellChars * Layout::DigitWidth;
    for (int s = 4; s <= 5; ++s) {
        for (int c = 6; c <= 10; c += 2) {
            for (int d = 0; d <= 1; ++d) {
                const int x = HighLayout::CellOrigin(s, c, d).X;
                const int y = HighLayout::CellOrigin(s, c, d).Y;
                ExpectExactBlackField(high, x - 1, y - 1, x + textW, y + Layout::DigitHeight,
                                      "high-score cell " + std::to_string(x) + "," + std::to_string(y));
            }
        }
    }

    // The statistics' fields; the average rows' two parts share one, with
    // the lit point between them.
    const Bitmap stats = Picture(PictureWindow::Stats, "imgStats");
    ASSERT_EQ(stats.Width, StatsLayout::Width);
    namespace S = StatsLayout;
    for (const S::Field& f : {S::Played, S::Won, S::Lost, S::GivenUp, S::HintWon, S::Share, S::Seconds,
                              S::CurrentRun, S::BestRun})
        field(stats, f.Area(), "statistics field at " + std::to_string(f.X) + "," + std::to_string(f.Line));
    const Rect whole = S::RowsWhole.Area(), tenth = S::RowsTenth.Area();
    EXPECT_EQ(tenth.Right(), S::Share.Area().Right()) << "the right-hand fields end at one edge";
    int lit = 0, stray = 0;
    for (int y = whole.Top; y < whole.Bottom(); ++y)
        for (int x = whole.Left; x < tenth.Right(); ++x) {
            const bool point = S::RowsPoint.Contains(x, y);
            (point ? lit : stray) += stats.At(x, y) != 0;
        }
    EXPECT_GT(lit, 0) << "the decimal point is lit";
    EXPECT_EQ(stray, 0) << "average rows: pixels of its field that are not black";
}

TEST(SideArt, RoundedWindowsArePaintedUpToTheirRegionsEdge)
{
    // The timer, combinations and high-score windows are cut with 24 x 24
    // rounded corners. The region cuts hard, so every pixel it keeps must
    // be painted: none may still show the colour left outside the corners.
    const PictureSize rounded[] = {{PictureWindow::Timer, "imgTimer", TimerLayout::Width, TimerLayout::Height},
                                   {PictureWindow::Combs, "imgCombs", CombsLayout::Width, CombsLayout::Height},
                                   {PictureWindow::High, "imgHigh", HighLayout::Width, HighLayout::Height},
                                   {PictureWindow::Stats, "imgStats", StatsLayout::Width, StatsLayout::Height}};
    for (const PictureSize& p : rounded) {
        const Bitmap b = Picture(p.Window, p.Name);
        ASSERT_EQ(b.Width, p.Width);
        const Shape shape = RoundRectShape(0, 0, p.Width, p.Height, Layout::CornerEllipse, Layout::CornerEllipse);
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
        EXPECT_GT(band, 2 * (p.Width + p.Height)) << WindowFolder(p.Window) << "/" << p.Name;
        EXPECT_EQ(unpainted, 0) << WindowFolder(p.Window) << "/" << p.Name;
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
        EXPECT_EQ(d.Border, 0) << WindowFolder(o.Window) << "/" << o.Name;
        // ... and the lit look is plainly visible: a tenth of the inside at least.
        EXPECT_GE(d.Inside * 10, (o.W - 2) * (o.H - 2)) << WindowFolder(o.Window) << "/" << o.Name;
        // The word or number it lights is on the background at that very
        // place, in its pale resting lettering (the panels are blue, whose
        // red channel stays far below the lettering's).
        int lettering = 0;
        for (int y = o.Y; y < o.Y + o.H; ++y)
            for (int x = o.X; x < o.X + o.W; ++x) lettering += ((background.At(x, y) >> 16) & 0xFF) > 150;
        EXPECT_GE(lettering, 12) << WindowFolder(o.Window) << "/" << o.Name;
    }
}

TEST(SideArt, MessagesFitThePlateAndAllDiffer)
{
    const Bitmap background = Picture(PictureWindow::Message, "imgMessage");
    ASSERT_EQ(background.Width, MessageLayout::Width);
    std::vector<Bitmap> messages;
    for (const char* name : kMessages) {
        messages.push_back(Picture(PictureWindow::Message, name));
        const Bitmap& m = messages.back();
        ASSERT_EQ(m.Width, MessageLayout::Plate.Width) << name;
        ASSERT_EQ(m.Height, MessageLayout::Plate.Height) << name;
        // Copied opaque onto the plate: its edge must continue the
        // background's, and its words must be there.
        const Difference d = Compare(background, m, MessageLayout::Plate.Left, MessageLayout::Plate.Top);
        EXPECT_EQ(d.Border, 0) << name;
        EXPECT_GT(d.Inside, 500) << name;
    }
    for (size_t i = 0; i < messages.size(); ++i)
        for (size_t j = i + 1; j < messages.size(); ++j)
            EXPECT_NE(messages[i].Pixels, messages[j].Pixels) << kMessages[i] << " and " << kMessages[j];
}

namespace {

// The resting lettering of numbers and buttons is pale silver: bright in
// all three channels, unlike the copper labels and the blue panel.
bool PaleLettering(uint32_t c)
{
    return ((c >> 16) & 0xFF) > 150 && ((c >> 8) & 0xFF) > 150 && (c & 0xFF) > 150;
}

bool InArea(int x, int y, const Placed& p) { return x >= p.X && x < p.X + p.W && y >= p.Y && y < p.Y + p.H; }

}  // namespace

TEST(SideArt, OptionChoicesAreDrawnWhollyInsideTheirAreas)
{
    // A press on a visible number must select it, and a press beside it
    // drags the window: so every pixel of a choice's lettering lies in its
    // area. The choices stand right of the labels, above the buttons.
    const Bitmap options = Picture(PictureWindow::Options, "ImgOptions");
    ASSERT_EQ(options.Width, OptionsLayout::Width);
    std::vector<Placed> choices;
    for (const Placed& o : kOverlays)
        if (o.Window == PictureWindow::Options && std::string(o.Name) != "imgOk" && std::string(o.Name) != "imgCancel")
            choices.push_back(o);
    ASSERT_EQ(choices.size(), 7u);
    int stray = 0, inside = 0;
    for (int y = 10; y < 115; ++y) {
        for (int x = 125; x < 262; ++x) {
            if (!PaleLettering(options.At(x, y))) continue;
            bool hit = false;
            for (const Placed& c : choices) hit = hit || InArea(x, y, c);
            ++(hit ? inside : stray);
        }
    }
    EXPECT_EQ(stray, 0);
    EXPECT_GT(inside, 7 * 10);
}

TEST(SideArt, HighScoreLabelsLieOutsideTheCellsThatADoubleClickClears)
{
    // Double-clicking a heading or a label must clear nothing, so nothing
    // lettered may lie inside the twelve cell rectangles, which together
    // span from the first cell's origin over four columns and three rows.
    const Bitmap high = Picture(PictureWindow::High, "imgHigh");
    ASSERT_EQ(high.Width, HighLayout::Width);
    const Layout::Point first = HighLayout::CellOriginAt(0, 0);
    const int right = first.X + HighLayout::Columns * HighLayout::CellWidth;
    const int bottom = first.Y + HighLayout::Rows * HighLayout::CellHeight;
    int lettering = 0;
    for (int y = first.Y; y < bottom; ++y)
        for (int x = first.X; x < right; ++x) lettering += PaleLettering(high.At(x, y));
    EXPECT_EQ(lettering, 0);
    // ... while the labels are there, just outside: the column labels above
    // the cells and the row labels to their left.
    int labels = 0;
    for (int y = 40; y < first.Y; ++y)
        for (int x = first.X; x < right; ++x) labels += PaleLettering(high.At(x, y));
    for (int y = first.Y; y < bottom; ++y)
        for (int x = 14; x < first.X; ++x) labels += PaleLettering(high.At(x, y));
    EXPECT_GT(labels, 7 * 10);
}

TEST(SideArt, OverlaysLineUpWithTheirBackgroundAtEachScale)
{
    // At 2x and 3x an overlay lies at S times its 1x place: its border, one
    // 1x pixel (S pixels) wide, is the background beneath it exactly, and
    // the lit look inside is there.
    for (int s : {2, 3}) {
        for (const Placed& o : kOverlays) {
            std::string error;
            const auto background = LoadPicture(o.Window, o.Background, s, &error);
            const auto overlay = LoadPicture(o.Window, o.Name, s, &error);
            ASSERT_TRUE(background && overlay) << o.Name << " at " << s << "x: " << error;
            const Bitmap& b = background->Picture;
            const Bitmap& p = overlay->Picture;
            ASSERT_EQ(p.Width, s * o.W) << o.Name;
            int border = 0, inside = 0;
            for (int y = 0; y < p.Height; ++y)
                for (int x = 0; x < p.Width; ++x) {
                    if (p.At(x, y) == b.At(s * o.X + x, s * o.Y + y)) continue;
                    const bool edge = x < s || y < s || x >= p.Width - s || y >= p.Height - s;
                    ++(edge ? border : inside);
                }
            EXPECT_EQ(border, 0) << WindowFolder(o.Window) << "/" << o.Name << " at " << s << "x";
            EXPECT_GE(inside * 10, (p.Width - 2 * s) * (p.Height - 2 * s)) << o.Name << " at " << s << "x";
        }
    }
}
