// The main window's pictures, the cursor and the icon as the program carries
// them: sizes and depths the drawing code relies on, the masked-sprite rules,
// highlights and covers that line up with the board beneath them, and a
// board whose holes, peg holes and balls sit where the game draws and hit
// tests them. Everything is read through the embedded-resource lookup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "board/BoardGeometry.h"
#include "board/BoardRenderer.h"
#include "resources/Pictures.h"
#include "util/Cursor.h"
#include "ColourVision.h"
#include "util/Region.h"

namespace {

using namespace colour_vision;

BmpImage Main(const std::string& name)
{
    std::string error;
    auto img = LoadPicture(PictureWindow::Main, name, &error);
    if (!img) {
        ADD_FAILURE() << name << ": " << error;
        return {};
    }
    return *img;
}

int R(uint32_t p) { return static_cast<int>((p >> 16) & 0xFF); }
int G(uint32_t p) { return static_cast<int>((p >> 8) & 0xFF); }
int B(uint32_t p) { return static_cast<int>(p & 0xFF); }
int MaxChannel(uint32_t p) { return std::max({R(p), G(p), B(p)}); }
double Distance(uint32_t a, uint32_t b)
{
    return std::sqrt(double((R(a) - R(b)) * (R(a) - R(b)) + (G(a) - G(b)) * (G(a) - G(b)) +
                            (B(a) - B(b)) * (B(a) - B(b))));
}

// Pixels of `pic` that differ from the board's rectangle at (bx, by) and are
// not excused by `inside` (called with picture coordinates).
template <typename Excused>
int MismatchesWithBoard(const Bitmap& pic, const Bitmap& board, int bx, int by, Excused inside)
{
    int bad = 0;
    for (int y = 0; y < pic.Height; ++y)
        for (int x = 0; x < pic.Width; ++x)
            if (!inside(x, y) && pic.At(x, y) != board.At(bx + x, by + y)) ++bad;
    return bad;
}


struct Expected {
    const char* Name;
    int Width, Height, Bits;
};

// Every size the geometry table gives is taken from it; the rest (the ball
// sheets, the big ball, the digit strip) are the pictures' own.
std::vector<Expected> MainPictures() {
    using namespace board;
    std::vector<Expected> pictures{
        {"ImgBoard", Width, Height, 24},
        {"ImgColors", 32, 32 * MaxColors, 24},
        {"ImgMask", 32, 32, 24},
        {"ImgWhitePegs", PegArea.Width, PegArea.Height, 24},
        {"ImgRedPegs", PegArea.Width, PegArea.Height, 24},
        {"ImgNoBalls1", NoBalls1.Width, NoBalls1.Height, 24},
        {"ImgNoBalls2", NoBalls2.Width, NoBalls2.Height, 24},
        {"ImgBallColumn", BallColumn.Width, BallColumn.Height, 24},
        {"ImgPegColumn", PegColumn.Width, PegColumn.Height, 24},
        {"ImgBigBall", Buttons[0].Lit.Width, Buttons[0].Lit.Height, 24},
        {"ImgBullets", BulletFrame(8).X, Buttons[1].Lit.Height, 24},
        {"imgToggles", ToggleFrame(3).X, ToggleSquare(1).Height, 24},
        {"imgXO", 36, 18, 24},
        {"imgXOMask", 36, 18, 24},
        {"imgDigits", 160, 19, 4},
    };
    for (const Button& b : Buttons) pictures.push_back({b.Caption, b.CaptionW, b.CaptionH, 24});
    return pictures;
}

TEST(ArtBoard, EveryMainPictureHasItsSizeAndDepth)
{
    for (const Expected& e : MainPictures()) {
        SCOPED_TRACE(e.Name);
        const BmpImage img = Main(e.Name);
        EXPECT_EQ(img.Picture.Width, e.Width);
        EXPECT_EQ(img.Picture.Height, e.Height);
        EXPECT_EQ(img.BitsPerPixel, e.Bits);
    }
}

TEST(ArtBoard, LookupKeepsWindowsAndNamesApart)
{
    // The main window's caption is not any side window's picture, the case
    // of a name matters, and a missing picture says so.
    const auto caption = PictureBytes(PictureWindow::Main, "ImgHigh");
    ASSERT_FALSE(caption.empty());
    EXPECT_TRUE(PictureBytes(PictureWindow::Main, "imgHigh").empty());
    EXPECT_TRUE(PictureBytes(PictureWindow::Main, "ImgBoard.bmp").empty());
    // Where the high-score window's skin of the same name exists, the two
    // lookups give the two different pictures.
    if (const auto side = LoadPicture(PictureWindow::High, "imgHigh")) {
        EXPECT_EQ(side->Picture.Width, 428);
        EXPECT_EQ(Main("ImgHigh").Picture.Width, 51);
    }
    std::string error;
    EXPECT_FALSE(LoadPicture(PictureWindow::Timer, "NoSuchPicture", &error));
    EXPECT_NE(error.find("NoSuchPicture"), std::string::npos);

    // Every embedded file is listed once, in order, with its bytes.
    std::string last;
    for (const EmbeddedFile& f : EmbeddedFiles()) {
        EXPECT_LT(last, std::string(f.Path));
        EXPECT_FALSE(f.Bytes.empty()) << f.Path;
        last = std::string(f.Path);
    }
}

// ---- Masked sprites --------------------------------------------------------

// A mask is pure black and white with a white border; its sprite is pure
// black wherever the mask is white.
void CheckSpritePair(const Bitmap& sprite, const Bitmap& mask, int frameW)
{
    ASSERT_EQ(sprite.Width, mask.Width);
    ASSERT_EQ(sprite.Height, mask.Height);
    for (int y = 0; y < mask.Height; ++y)
        for (int x = 0; x < mask.Width; ++x) {
            const uint32_t m = mask.At(x, y);
            ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << "mask grey at " << x << "," << y;
            const bool border = y == 0 || y == mask.Height - 1 || x % frameW == 0 || x % frameW == frameW - 1;
            if (border) {
                EXPECT_EQ(m, 0xFFFFFFu) << "mask touches its frame edge at " << x << "," << y;
            }
            if (m == 0xFFFFFF) {
                EXPECT_EQ(sprite.At(x, y), 0u) << "ink outside the mask at " << x << "," << y;
            }
        }
}

TEST(ArtBoard, BallsAndTheirMaskObeyTheSpriteRules)
{
    const Bitmap balls = Main("ImgColors").Picture;
    const Bitmap mask = Main("ImgMask").Picture;
    ASSERT_EQ(balls.Height, 320);
    // The one mask serves every frame: the game copies 24 x 24 from (4, 4),
    // so the disc must lie inside that window and fill most of it.
    int black = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (mask.At(x, y) == 0) {
                ++black;
                EXPECT_TRUE(x >= 4 && x < 28 && y >= 4 && y < 28) << "mask beyond the copied square at " << x << "," << y;
            }
    EXPECT_GT(black, 400);  // a disc of radius 12 covers about 452 pixels
    EXPECT_LT(black, 530);
    for (int c = 0; c < 10; ++c) {
        SCOPED_TRACE(c + 1);
        Bitmap frame(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) frame.At(x, y) = balls.At(x, 32 * c + y);
        CheckSpritePair(frame, mask, 32);
        EXPECT_GT(MaxChannel(frame.At(16, 18)), 60) << "no ball in frame";
    }
}

TEST(ArtBoard, TheTenBallsAreTellApartAndInTheGameOrder)
{
    const Bitmap balls = Main("ImgColors").Picture;
    // The body colour just below the highlight.
    auto body = [&](int c) { return balls.At(18, 32 * (c - 1) + 19); };
    for (int a = 1; a <= 10; ++a)
        for (int b = a + 1; b <= 10; ++b) EXPECT_GT(Distance(body(a), body(b)), 40) << a << " vs " << b;
    const uint32_t red = body(1), yellow = body(2), green = body(3), blue = body(4), grey = body(5);
    EXPECT_GT(R(red), G(red) + 80);
    EXPECT_GT(R(yellow), B(yellow) + 80);
    EXPECT_GT(G(yellow), B(yellow) + 80);
    EXPECT_GT(G(green), R(green) + 40);
    EXPECT_GT(B(blue), R(blue) + 80);
    EXPECT_LT(MaxChannel(grey) - std::min({R(grey), G(grey), B(grey)}), 20);
}

TEST(ArtBoard, NoteMarksObeyTheSpriteRules)
{
    const Bitmap xo = Main("imgXO").Picture;
    const Bitmap mask = Main("imgXOMask").Picture;
    CheckSpritePair(xo, mask, 18);
    // Frame 1 is a red cross, frame 2 a green ring: the ring's middle is
    // empty, the cross's is not.
    EXPECT_EQ(mask.At(27, 9), 0xFFFFFFu);
    EXPECT_EQ(mask.At(9, 9), 0u);
    int redInk = 0, greenInk = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x) {
            if (R(xo.At(x, y)) > G(xo.At(x, y)) + 100) ++redInk;
            if (G(xo.At(18 + x, y)) > R(xo.At(18 + x, y)) + 100) ++greenInk;
        }
    EXPECT_GT(redInk, 20);
    EXPECT_GT(greenInk, 20);
}

// ---- Colour weakness -------------------------------------------------------

TEST(ArtBoard, CieDe2000MatchesPublishedPairs)
{
    // Pairs 1 and 7 of Sharma, Wu and Dalal's test data for CIEDE2000.
    EXPECT_NEAR(DeltaE2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(DeltaE2000({50, 0, 0}, {50, -1, 2}), 2.3669, 1e-4);
}

TEST(ArtBoard, BallsStayApartForColourWeakEyes)
{
    // The mean colour of each ball's body (a disc of radius 10 of its
    // sprite), as seen with normal vision and with simulated protanopia and
    // deuteranopia and tritanopia; every pair keeps a clearly visible
    // difference, none closer than the palette has always kept it.
    const Bitmap balls = Main("ImgColors").Picture;
    Rgbd mean[10];
    for (int c = 0; c < 10; ++c) {
        double r = 0, g = 0, b = 0;
        int n = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((x + 0.5 - 16) * (x + 0.5 - 16) + (y + 0.5 - 16) * (y + 0.5 - 16) <= 100) {
                    const uint32_t p = balls.At(x, 32 * c + y);
                    r += R(p), g += G(p), b += B(p);
                    ++n;
                }
        mean[c] = {r / n, g / n, b / n};
    }
    const struct {
        const char* Name;
        const Matrix* M;
        double Floor;
    } visions[] = {{"normal", nullptr, 14.0}, {"protanopia", &kProtan, 10.0}, {"deuteranopia", &kDeutan, 10.0},
                   {"tritanopia", &kTritan, 8.5}};
    for (const auto& v : visions) {
        double worst = 1e9;
        int wa = 0, wb = 0;
        for (int a = 0; a < 10; ++a)
            for (int b = a + 1; b < 10; ++b) {
                const double d = DeltaE2000(ToLab(Simulate(mean[a], v.M)), ToLab(Simulate(mean[b], v.M)));
                if (d < worst) {
                    worst = d;
                    wa = a + 1;
                    wb = b + 1;
                }
            }
        std::printf("  %-12s closest balls %d and %d, CIEDE2000 %.1f\n", v.Name, wa, wb, worst);
        EXPECT_GE(worst, v.Floor) << v.Name << ": balls " << wa << " and " << wb;
    }
}

// ---- Board geometry --------------------------------------------------------

TEST(ArtBoard, TheWindowShapeShowsOnlyDrawnBoard)
{
    // The window's region, built as the board window builds it: every pixel
    // it lets through is board, none is the dark fill left outside the
    // shape; and the fill is there outside, so the shape was drawn at all.
    const Bitmap board = Main("ImgBoard").Picture;
    const Region shape = BoardOutline();
    const uint32_t outside = board.At(527, 0);
    int shown = 0, hidden = 0;
    for (int y = 0; y < 416; ++y)
        for (int x = 0; x < 528; ++x) {
            if (shape.Contains(x, y)) {
                ++shown;
                EXPECT_NE(board.At(x, y), outside) << x << "," << y;
            } else if (board.At(x, y) == outside) {
                ++hidden;
            }
        }
    EXPECT_GT(shown, 150000);
    EXPECT_GT(hidden, 528 * 416 - shown - 50);
}

TEST(ArtBoard, EveryHoleIsDarkWhereTheGameDrawsItsBall)
{
    const Bitmap board = Main("ImgBoard").Picture;
    for (int r = 1; r <= 12; ++r)
        for (int p = 1; p <= 5; ++p) {
            SCOPED_TRACE(testing::Message() << "hole " << p << "," << r);
            EXPECT_LT(MaxChannel(board.At(board::HoleCentre(p, r).X, board::HoleCentre(p, r).Y)), 30);
            // The whole disc a ball covers lies in the hole's dark floor, so
            // a ball dropped in sits in black and not on the blue.
            const int bx = board::HoleBall(p, r).Left, by = board::HoleBall(p, r).Top;
            int light = 0;
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 24; ++x) {
                    const double dx = x + 0.5 - 12, dy = y + 0.5 - 12;
                    if (dx * dx + dy * dy <= 12.0 * 12.0 && MaxChannel(board.At(bx + x, by + y)) > 60) ++light;
                }
            EXPECT_EQ(light, 0);
            // And it is a hole, not a dark field: blue between the holes.
            EXPECT_GT(B(board.At(32 * p + 28, 32 * r + 12)), 60);
        }
}

TEST(ArtBoard, EveryPegSlotHasAPegHoleWherePegRiseSaysAndPegsFillThem)
{
    const Bitmap board = Main("ImgBoard").Picture;
    const Bitmap white = Main("ImgWhitePegs").Picture;
    const Bitmap red = Main("ImgRedPegs").Picture;
    for (int r = 1; r <= 12; ++r)
        for (int k = 1; k <= 5; ++k) {
            SCOPED_TRACE(testing::Message() << "row " << r << " slot " << k);
            const int x = board::PegCell(k, r).Left, y = board::PegCell(k, r).Top;
            for (int dy = 4; dy <= 5; ++dy)
                for (int dx = 4; dx <= 5; ++dx) EXPECT_LT(MaxChannel(board.At(x + dx, y + dy)), 50);
            // The peg sheets hold the peg at the board's place shifted by
            // (-223, -20); its middle is clearly white or clearly red.
            const int sx = x - board::PegArea.Left + 5, sy = y - board::PegArea.Top + 6;
            const uint32_t w = white.At(sx, sy), rd = red.At(sx, sy);
            EXPECT_GT(std::min({R(w), G(w), B(w)}), 170);
            EXPECT_GT(R(rd), 150);
            EXPECT_GT(R(rd), G(rd) + 90);
        }
}

TEST(ArtBoard, PegSheetsAreTheBoardOutsideThePegCells)
{
    const Bitmap board = Main("ImgBoard").Picture;
    auto inCell = [](int x, int y) {
        for (int k = 1; k <= 5; ++k)
            for (int r = 1; r <= 12; ++r) {
                const int cx = board::PegSheetSource(k, r).X, cy = board::PegSheetSource(k, r).Y;
                if (x >= cx && x < cx + 10 && y >= cy && y < cy + 10) return true;
            }
        return false;
    };
    EXPECT_EQ(MismatchesWithBoard(Main("ImgWhitePegs").Picture, board, board::PegArea.Left, board::PegArea.Top, inCell), 0);
    EXPECT_EQ(MismatchesWithBoard(Main("ImgRedPegs").Picture, board, board::PegArea.Left, board::PegArea.Top, inCell), 0);
}

TEST(ArtBoard, ColourColumnHoldsTheTenBallsAndCoversShowEmptySockets)
{
    const Bitmap board = Main("ImgBoard").Picture;
    const Bitmap balls = Main("ImgColors").Picture;
    // The ball at colour c's centre is the nearest of the ten sprites to c.
    for (int c = 1; c <= 10; ++c) {
        const uint32_t onBoard = board.At(30, 32 * c + 31);
        int nearest = 0;
        double best = 1e9;
        for (int k = 1; k <= 10; ++k) {
            const double d = Distance(onBoard, balls.At(18, 32 * (k - 1) + 19));
            if (d < best) {
                best = d;
                nearest = k;
            }
        }
        EXPECT_EQ(nearest, c) << "colour " << c;
    }
    // The covers are the board with the balls taken away: dark sockets at
    // the colours' centres and the same board everywhere else.
    struct Cover {
        const char* Name;
        int Y, FirstColour;
    };
    for (const Cover& cov : {Cover{"ImgNoBalls1", board::NoBalls1.Top, 7}, Cover{"ImgNoBalls2", board::NoBalls2.Top, 9}}) {
        SCOPED_TRACE(cov.Name);
        const Bitmap pic = Main(cov.Name).Picture;
        for (int i = 0; i < 2; ++i) {
            const int cy = 32 * (cov.FirstColour + i) + 28 - cov.Y;
            EXPECT_LT(MaxChannel(pic.At(16, cy)), 50);
        }
        auto onBall = [&](int x, int y) {
            for (int i = 0; i < 2; ++i) {
                const double dx = x + 0.5 - 16, dy = y + 0.5 - (32 * (cov.FirstColour + i) + 28 - cov.Y);
                if (dx * dx + dy * dy <= 14.5 * 14.5) return true;
            }
            return false;
        };
        EXPECT_EQ(MismatchesWithBoard(pic, board, 12, cov.Y, onBall), 0);
    }
}

TEST(ArtBoard, PluggedColumnsMatchTheBoardBesideTheirHoles)
{
    const Bitmap board = Main("ImgBoard").Picture;
    const Bitmap balls = Main("ImgBallColumn").Picture;
    auto onHole = [](int x, int y) {
        for (int r = 1; r <= 12; ++r) {
            const board::Point c = board::HoleCentre(5, r);
            const double dx = x + board::BallColumn.Left + 0.5 - c.X, dy = y + board::BallColumn.Top + 0.5 - c.Y;
            if (dx * dx + dy * dy <= 15.0 * 15.0) return true;
        }
        return false;
    };
    EXPECT_EQ(MismatchesWithBoard(balls, board, board::BallColumn.Left, board::BallColumn.Top, onHole), 0);
    // Plugged: no hole stays dark.
    for (int r = 1; r <= 12; ++r) EXPECT_GT(MaxChannel(balls.At(16, 32 * r - 16)), 40) << "row " << r;

    const Bitmap pegs = Main("ImgPegColumn").Picture;
    auto onPeg = [](int, int y) {
        for (int r = 1; r <= 12; ++r)
            if (y + board::PegColumn.Top >= 32 * r - 12 && y + board::PegColumn.Top < 32 * r - 2) return true;
        return false;
    };
    EXPECT_EQ(MismatchesWithBoard(pegs, board, board::PegColumn.Left, board::PegColumn.Top, onPeg), 0);
    for (int r = 1; r <= 12; ++r) EXPECT_GT(MaxChannel(pegs.At(4, 32 * r - 12 + 4 - 20)), 40) << "row " << r;
}

// ---- Highlights ------------------------------------------------------------

TEST(ArtBoard, LitButtonsDifferFromTheBoardOnlyOnTheirButton)
{
    const Bitmap board = Main("ImgBoard").Picture;
    const Bitmap big = Main("ImgBigBall").Picture;
    auto round = [](double r, double c) {
        return [=](int x, int y) { return (x + 0.5 - c) * (x + 0.5 - c) + (y + 0.5 - c) * (y + 0.5 - c) <= r * r; };
    };
    const Rect lit = board::Buttons[0].Lit;
    EXPECT_EQ(MismatchesWithBoard(big, board, lit.Left, lit.Top, round(35.5, 36)), 0);
    EXPECT_GT(MismatchesWithBoard(big, board, lit.Left, lit.Top, [](int, int) { return false; }), 2000);
    // Copper, not the board's steel: warm in the middle.
    EXPECT_GT(R(big.At(36, 40)), B(big.At(36, 40)) + 60);

    const Bitmap bullets = Main("ImgBullets").Picture;
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        Bitmap frame(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) frame.At(x, y) = bullets.At(32 * (i - 1) + x, y);
        const board::Point c = board::Buttons[size_t(i)].Centre;
        EXPECT_EQ(MismatchesWithBoard(frame, board, c.X - 16, c.Y - 16, round(15.0, 16)), 0);
        EXPECT_GT(R(frame.At(16, 17)), B(frame.At(16, 17)) + 50);
        EXPECT_LT(std::abs(R(board.At(c.X, c.Y + 1)) - B(board.At(c.X, c.Y + 1))), 40)
            << "the board's bullet is not steel";
    }
}

TEST(ArtBoard, PressedTogglesDifferOnlyOnTheirKey)
{
    const Bitmap board = Main("ImgBoard").Picture;
    const Bitmap toggles = Main("imgToggles").Picture;
    for (int t = 1; t <= 2; ++t) {
        SCOPED_TRACE(t);
        Bitmap frame(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) frame.At(x, y) = toggles.At(32 * (t - 1) + x, y);
        auto key = [](int x, int y) { return x >= 2 && x < 30 && y >= 2 && y < 30; };
        const Rect sq = board::ToggleSquare(t);
        EXPECT_EQ(MismatchesWithBoard(frame, board, sq.Left, sq.Top, key), 0);
        EXPECT_GT(MismatchesWithBoard(frame, board, sq.Left, sq.Top, [](int, int) { return false; }), 200);
    }
}

TEST(ArtBoard, CaptionsAreLetteredOnTheBoardBeneathThem)
{
    const Bitmap board = Main("ImgBoard").Picture;
    for (const board::Button& c : board::Buttons) {
        SCOPED_TRACE(c.Caption);
        const Bitmap pic = Main(c.Caption).Picture;
        EXPECT_EQ(pic.Width, c.CaptionW);
        EXPECT_EQ(pic.Height, c.CaptionH);
        // The frame of the picture is bare board, so no edge shows when the
        // caption appears; the letters are there and bright.
        auto inner = [&](int x, int y) { return x > 0 && y > 0 && x < pic.Width - 1 && y < pic.Height - 1; };
        EXPECT_EQ(MismatchesWithBoard(pic, board, c.CaptionX, board::CaptionTop, inner), 0);
        int bright = 0;
        for (const uint32_t p : pic.Pixels)
            if (R(p) > 200 && G(p) > 120) ++bright;
        EXPECT_GT(bright, 30);
        const int changed = MismatchesWithBoard(pic, board, c.CaptionX, board::CaptionTop, [](int, int) { return false; });
        EXPECT_LT(changed, pic.Width * pic.Height * 2 / 3);
    }
    // The caption strip the game restores is bare board: nothing else of
    // the board lies in it (x 289..376, y 233..266).
    for (int y = 233; y < 267; ++y)
        for (int x = 289; x < 377; ++x) ASSERT_GT(B(board.At(x, y)), 50) << x << "," << y;
}

// ---- Digits ----------------------------------------------------------------

TEST(ArtBoard, DigitStripHasThirteenDistinctCellsAndEmptyTail)
{
    const Bitmap digits = Main("imgDigits").Picture;
    auto cell = [&](int g) {
        std::vector<uint32_t> px;
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 12; ++x) px.push_back(digits.At(12 * g + x, y));
        return px;
    };
    auto lit = [&](int g) {
        int n = 0;
        for (uint32_t p : cell(g))
            if (MaxChannel(p) > 128) ++n;
        return n;
    };
    std::set<std::vector<uint32_t>> distinct;
    for (int g = 0; g <= 12; ++g) distinct.insert(cell(g));
    EXPECT_EQ(distinct.size(), 13u);
    for (int g = 0; g <= 9; ++g) EXPECT_GT(lit(g), 10) << "cell " << g;
    // The blank cell pads numbers: it must show nothing at all, not even a
    // faint unlit "8" that would read as a digit beside the real ones.
    for (uint32_t p : cell(10)) EXPECT_EQ(p, 0u);
    EXPECT_GT(lit(11), 8);
    EXPECT_GT(lit(12), 5);
    // '8' (cell 7) lights more than '1' (cell 0); '-' lights least.
    EXPECT_GT(lit(7), lit(0));
    EXPECT_LT(lit(12), lit(0));
    for (int y = 0; y < 19; ++y)
        for (int x = 156; x < 160; ++x) EXPECT_EQ(digits.At(x, y), 0u);
}

// ---- Cursor and icon -------------------------------------------------------

uint32_t U16(std::span<const uint8_t> b, size_t at) { return b[at] | (uint32_t{b[at + 1]} << 8); }
uint32_t U32(std::span<const uint8_t> b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

// The file's own form; what the hand looks like is checked on its decoded
// picture below, and at every scale with the other scaled art.
TEST(ArtBoard, CursorFileIsA32By32CursorOfOneBitPixelsAndMask)
{
    const auto cur = CursorFistBytes();
    ASSERT_GE(cur.size(), 22u + 40 + 8 + 256);
    EXPECT_EQ(U16(cur, 2), 2u);  // a cursor
    EXPECT_EQ(U16(cur, 4), 1u);
    EXPECT_EQ(cur[6], 32);
    EXPECT_EQ(cur[7], 32);
    EXPECT_EQ(U16(cur, 10), 15u);  // hot spot
    EXPECT_EQ(U16(cur, 12), 15u);
    const size_t img = U32(cur, 18);
    ASSERT_EQ(img + U32(cur, 14), cur.size());
    EXPECT_EQ(U32(cur, img + 4), 32u);
    EXPECT_EQ(U32(cur, img + 8), 64u);   // XOR and AND rows
    EXPECT_EQ(U16(cur, img + 14), 1u);   // one bit a pixel
    // Two colours and the mask after them, nothing more.
    EXPECT_EQ(img + 40 + 8 + 128 + 128, cur.size());
}

TEST(ArtBoard, IconIsA32By32PictureOf256Colours)
{
    const auto ico = ProgramIconBytes();
    ASSERT_GE(ico.size(), 22u + 40 + 1024 + 1024 + 128);
    EXPECT_EQ(U16(ico, 2), 1u);  // an icon
    EXPECT_EQ(U16(ico, 4), 1u);
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(U16(ico, 12), 8u);
    const size_t img = U32(ico, 18);
    ASSERT_EQ(img + U32(ico, 14), ico.size());
    EXPECT_EQ(U32(ico, img + 4), 32u);
    EXPECT_EQ(U32(ico, img + 8), 64u);
    EXPECT_EQ(U16(ico, img + 14), 8u);
    // Many distinct colours in use: a shaded ball, not a flat disc.
    std::set<uint8_t> used(ico.begin() + static_cast<long>(img + 40 + 1024),
                           ico.begin() + static_cast<long>(img + 40 + 1024 + 1024));
    EXPECT_GT(used.size(), 64u);
}


// ---- The closed-hand cursor -----------------------------------------------

TEST(ArtBoard, CursorDecodesAsAClosedTwoColourHandHeldAtItsMiddle)
{
    const auto fist = CursorFistBytes();
    std::string error;
    const auto cur = DecodeCur(fist.data(), fist.size(), &error);
    ASSERT_TRUE(cur) << error;
    EXPECT_EQ(cur->Picture.Width, 32);
    EXPECT_EQ(cur->Picture.Height, 32);
    EXPECT_EQ(cur->HotX, 15);
    EXPECT_EQ(cur->HotY, 15);
    const uint32_t white = Rgb(255, 255, 255), black = 0;
    auto shown = [&](int x, int y) { return cur->Shape.Contains(x, y); };
    EXPECT_TRUE(shown(15, 15));
    EXPECT_EQ(cur->Picture.At(15, 15), white);
    EXPECT_FALSE(shown(0, 0));
    EXPECT_FALSE(shown(31, 31));
    // Two colours only, with a real outline.
    int blacks = 0, whites = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (shown(x, y)) {
                const uint32_t c = cur->Picture.At(x, y);
                EXPECT_TRUE(c == white || c == black) << x << "," << y;
                blacks += c == black;
                whites += c == white;
            }
    EXPECT_GT(whites, 120);
    EXPECT_GT(blacks, 40);
    // The outline closes the hand: no white pixel touches the desktop.
    for (int y = 1; y < 31; ++y)
        for (int x = 1; x < 31; ++x)
            if (shown(x, y) && cur->Picture.At(x, y) == white) {
                EXPECT_TRUE(shown(x - 1, y) && shown(x + 1, y) && shown(x, y - 1) && shown(x, y + 1)) << x << "," << y;
            }
}

}  // namespace
