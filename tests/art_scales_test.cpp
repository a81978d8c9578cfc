// The pictures at 2x and 3x as the program carries them: the same set of
// names at every scale, each picture exactly S times its 1x size and of its
// depth, compressed files that inflate, masks that cover exactly their
// ball at that scale, sprite cells and covers that line up at S times their
// 1x places, and the cursor and icon drawn at each size.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "InflateWhole.h"
#include "board/BoardGeometry.h"
#include "resources/Compressed.h"
#include "resources/Pictures.h"
#include "resources/ScaledPicture.h"
#include "util/Cursor.h"

namespace {

constexpr int kScales[] = {2, 3};

// The names below resources/ of one scale's set, with the scale's folder
// and the compressed form's suffix taken off, so the sets compare.
std::set<std::string> NamesAtScale(int scale)
{
    const std::string prefix = scale == 1 ? "" : std::to_string(scale) + "x/";
    std::set<std::string> names;
    for (const EmbeddedFile& f : EmbeddedFiles()) {
        std::string path(f.Path);
        const bool scaled = path.size() > 3 && path[1] == 'x' && path[2] == '/';
        if (scale == 1 ? scaled : path.rfind(prefix, 0) != 0) continue;
        path.erase(0, prefix.size());
        if (path.ends_with(".bmp.z")) path.resize(path.size() - 2);
        if (path.ends_with(".bmp") || path.ends_with(".cur") || path.ends_with(".ico")) names.insert(path);
    }
    return names;
}

struct Named {
    PictureWindow Window;
    std::string Name;
};

// Every picture of the 1x set, by window and name.
std::vector<Named> AllPictures()
{
    const PictureWindow windows[] = {PictureWindow::Main,    PictureWindow::Timer, PictureWindow::Combs,
                                     PictureWindow::Message, PictureWindow::Options, PictureWindow::High,
                                     PictureWindow::About, PictureWindow::Stats};
    std::vector<Named> all;
    for (const std::string& path : NamesAtScale(1))
        for (PictureWindow w : windows) {
            const std::string folder = std::string(WindowFolder(w)) + "/";
            if (path.rfind(folder, 0) == 0) all.push_back({w, path.substr(folder.size(), path.size() - folder.size() - 4)});
        }
    return all;
}

Bitmap Pic(const char* name, int scale)
{
    std::string error;
    auto img = LoadPicture(PictureWindow::Main, name, scale, &error);
    if (!img) {
        ADD_FAILURE() << name << " at " << scale << "x: " << error;
        return {};
    }
    return img->Picture;
}

}  // namespace

TEST(ArtScales, EveryScaleHasTheSameNamesAndEveryPictureIsSTimesItsSize)
{
    const std::set<std::string> one = NamesAtScale(1);
    ASSERT_GT(one.size(), 50u);
    EXPECT_TRUE(one.count("FIST.cur") && one.count("QuorVex.ico") && one.count("main/ImgSymbolColumnMask.bmp"));
    for (int s : kScales) EXPECT_EQ(NamesAtScale(s), one) << "at " << s << "x";

    const auto all = AllPictures();
    ASSERT_EQ(all.size() + 2, one.size());
    for (const Named& p : all) {
        const auto base = LoadPicture(p.Window, p.Name, 1);
        ASSERT_TRUE(base) << p.Name;
        for (int s : kScales) {
            std::string error;
            const auto big = LoadPicture(p.Window, p.Name, s, &error);
            ASSERT_TRUE(big) << WindowFolder(p.Window) << "/" << p.Name << " at " << s << "x: " << error;
            EXPECT_EQ(big->Picture.Width, s * base->Picture.Width) << p.Name << " at " << s << "x";
            EXPECT_EQ(big->Picture.Height, s * base->Picture.Height) << p.Name << " at " << s << "x";
            EXPECT_EQ(big->BitsPerPixel, base->BitsPerPixel) << p.Name << " at " << s << "x";
        }
    }
}

TEST(ArtScales, OnlyScalesOneToThreeExistAndBadFilesAreRefused)
{
    for (int s : {0, -1, 4}) {
        std::string error;
        EXPECT_FALSE(LoadPicture(PictureWindow::Main, "ImgBoard", s, &error)) << s;
        EXPECT_NE(error.find("scale"), std::string::npos) << error;
        EXPECT_TRUE(CursorFistBytes(s).empty());
        EXPECT_TRUE(ProgramIconBytes(s).empty());
    }
    std::string error;
    EXPECT_FALSE(LoadPicture(PictureWindow::Main, "NoSuchPicture", 2, &error));
    EXPECT_NE(error.find("NoSuchPicture"), std::string::npos);
    // The 1x form is not found under a scaled name, nor the other way round.
    EXPECT_TRUE(ResourceBytes("2x/main/ImgBoard.bmp").empty());
    EXPECT_FALSE(ResourceBytes("2x/main/ImgBoard.bmp.z").empty());

    // A compressed picture inflates to exactly the size it announces; a
    // damaged one says why instead of handing back a part.
    const auto packedBoard = PictureBytes(PictureWindow::Main, "ImgBoard", 3);
    ASSERT_GT(packedBoard.size(), packed::HeaderSize);
    const auto whole = InflateWhole(packedBoard, &error);
    ASSERT_TRUE(whole) << error;
    EXPECT_EQ(whole->size(), 54u + 1584u * 3u * 1248u);
    std::vector<uint8_t> bytes(packedBoard.begin(), packedBoard.end());
    // The program's own decoding refuses each damage and says why.
    auto refused = [&](std::vector<uint8_t> b) {
        std::string why;
        const bool ok = DecodePackedPicture(b, &why).has_value();
        EXPECT_FALSE(why.empty());
        return !ok;
    };
    EXPECT_TRUE(refused({bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2)}));  // cut short
    auto wrongMagic = bytes;
    wrongMagic[0] = 'X';
    EXPECT_TRUE(refused(wrongMagic));
    auto wrongSize = bytes;
    wrongSize[4] ^= 1;  // announces one byte more or less
    EXPECT_TRUE(refused(wrongSize));
    auto huge = bytes;
    huge[7] = 0x7F;
    EXPECT_TRUE(refused(huge));
    auto flipped = bytes;
    flipped[packed::HeaderSize] ^= 0x5A;  // the stream's own header
    EXPECT_TRUE(refused(flipped));
    EXPECT_TRUE(refused({}));
}

TEST(ArtScales, ThePictureCacheKeepsOneScaleAndOneRuleForWhatIsMissing) {
    PictureCache pictures(2);
    const Bitmap& colors = pictures.Get(PictureWindow::Main, "ImgColors");
    EXPECT_EQ(colors.Scale, 2);
    EXPECT_EQ(colors.Pixels, PictureAt(PictureWindow::Main, "ImgColors", 2)->Pixels);
    EXPECT_EQ(&pictures.Get(PictureWindow::Main, "ImgColors"), &colors) << "decoded once";
    // Missing altogether: an empty bitmap, which every blit leaves alone.
    EXPECT_TRUE(pictures.Get(PictureWindow::Main, "NoSuchPicture").Empty());
    // Handed over: the user's own, not kept in the cache as well.
    const Bitmap skin = pictures.Take(PictureWindow::Timer, "imgTimer");
    EXPECT_FALSE(skin.Empty());
    EXPECT_FALSE(pictures.Holds(PictureWindow::Timer, "imgTimer"));
    // A new scale empties the cache; pictures come back at it.
    pictures.SetScale(3);
    EXPECT_FALSE(pictures.Holds(PictureWindow::Main, "ImgColors"));
    EXPECT_EQ(pictures.Get(PictureWindow::Main, "ImgColors").Scale, 3);
}

TEST(ArtScales, BallMasksCoverExactlyTheirBallAtEachScale)
{
    for (int s : kScales) {
        const Bitmap mask = Pic("ImgMask", s), balls = Pic("ImgColors", s), symbols = Pic("ImgSymbols", s);
        ASSERT_EQ(mask.Width, 32 * s);
        // The disc of radius 12 about the frame's centre, at S: every pixel
        // well inside is covered, none well outside.
        const double c = 16.0 * s, r = 12.0 * s;
        for (int y = 0; y < mask.Height; ++y)
            for (int x = 0; x < mask.Width; ++x) {
                const uint32_t m = mask.At(x, y);
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << s << "x mask grey at " << x << "," << y;
                const double d = std::hypot(x + 0.5 - c, y + 0.5 - c);
                if (d < r - 1) {
                    EXPECT_EQ(m, 0u) << s << "x " << x << "," << y;
                }
                if (d > r + 1) {
                    EXPECT_EQ(m, 0xFFFFFFu) << s << "x " << x << "," << y;
                }
            }
        // Each frame's ball lies in its cell at S times the 1x place: black
        // wherever the mask is white, drawn where it is black.
        for (const Bitmap* sheet : {&balls, &symbols}) {
            ASSERT_EQ(sheet->Height, 320 * s);
            for (int f = 0; f < 10; ++f) {
                int stray = 0;
                for (int y = 0; y < 32 * s; ++y)
                    for (int x = 0; x < 32 * s; ++x)
                        if (mask.At(x, y) == 0xFFFFFF && sheet->At(x, 32 * s * f + y) != 0) ++stray;
                EXPECT_EQ(stray, 0) << s << "x frame " << f;
                EXPECT_NE(sheet->At(16 * s - 4 * s, 32 * s * f + 16 * s), 0u) << s << "x frame " << f;
            }
        }
        // The column's engravings: ink exactly where the mask is black.
        const Bitmap col = Pic("ImgSymbolColumn", s), colMask = Pic("ImgSymbolColumnMask", s);
        ASSERT_EQ(col.Height, colMask.Height);
        int inked = 0;
        for (int y = 0; y < col.Height; ++y)
            for (int x = 0; x < col.Width; ++x) {
                const uint32_t m = colMask.At(x, y);
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF);
                if (m == 0xFFFFFF) {
                    EXPECT_EQ(col.At(x, y), 0u) << s << "x " << x << "," << y;
                } else {
                    ++inked;
                }
            }
        EXPECT_GT(inked, 10 * 40 * s * s);
        // The note marks obey the same rule.
        const Bitmap xo = Pic("imgXO", s), xoMask = Pic("imgXOMask", s);
        int xoStray = 0;
        for (int y = 0; y < xo.Height; ++y)
            for (int x = 0; x < xo.Width; ++x)
                if (xoMask.At(x, y) == 0xFFFFFF && xo.At(x, y) != 0) ++xoStray;
        EXPECT_EQ(xoStray, 0) << s << "x";
    }
}

TEST(ArtScales, CoversAndShapeLineUpWithTheBoardAtEachScale)
{
    const Bitmap board1 = Pic("ImgBoard", 1);
    const uint32_t outside = board1.At(527, 0);
    for (int s : kScales) {
        const Bitmap board = Pic("ImgBoard", s);
        // The window's shape at S follows the 1x shape: away from the edge
        // (a 1x pixel whose neighbours all agree) a pixel is board or
        // outside just as its 1x pixel is.
        int checked = 0;
        for (int y = 1; y < 415; ++y)
            for (int x = 1; x < 527; ++x) {
                const bool out = board1.At(x, y) == outside;
                bool uniform = true;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) uniform &= (board1.At(x + dx, y + dy) == outside) == out;
                if (!uniform) continue;
                ++checked;
                for (int v = 0; v < s; ++v)
                    for (int u = 0; u < s; ++u)
                        ASSERT_EQ(board.At(s * x + u, s * y + v) == outside, out) << s << "x at " << x << "," << y;
            }
        EXPECT_GT(checked, 200000);

        // The peg sheets are the board beneath them outside the peg cells,
        // cell for cell at S times the 1x places.
        for (const char* name : {"ImgWhitePegs", "ImgRedPegs"}) {
            const Bitmap sheet = Pic(name, s);
            int bad = 0, inCells = 0;
            for (int y = 0; y < sheet.Height; ++y)
                for (int x = 0; x < sheet.Width; ++x) {
                    bool cell = false;
                    for (int k = 1; k <= 5 && !cell; ++k)
                        for (int r = 1; r <= 12 && !cell; ++r) {
                            const auto src = board::PegSheetSource(k, r);
                            cell = x >= s * src.X && x < s * (src.X + 10) && y >= s * src.Y && y < s * (src.Y + 10);
                        }
                    if (cell) {
                        inCells += sheet.At(x, y) != board.At(s * board::PegArea.Left + x, s * board::PegArea.Top + y);
                        continue;
                    }
                    bad += sheet.At(x, y) != board.At(s * board::PegArea.Left + x, s * board::PegArea.Top + y);
                }
            EXPECT_EQ(bad, 0) << name << " at " << s << "x";
            EXPECT_GT(inCells, 60 * 30 * s * s) << name << " at " << s << "x: the pegs are drawn";
        }
    }
}

TEST(ArtScales, CursorAndIconAreDrawnAtEachSize)
{
    const auto one = DecodeCur(CursorFistBytes().data(), CursorFistBytes().size());
    ASSERT_TRUE(one);
    for (int s : kScales) {
        const auto bytes = CursorFistBytes(s);
        std::string error;
        const auto cur = DecodeCur(bytes.data(), bytes.size(), &error);
        ASSERT_TRUE(cur) << s << "x: " << error;
        EXPECT_EQ(cur->Picture.Width, 32 * s);
        EXPECT_EQ(cur->Picture.Height, 32 * s);
        EXPECT_EQ(cur->HotX, 15 * s);
        EXPECT_EQ(cur->HotY, 15 * s);
        // Two colours cannot be drawn finer: the same hand, each pixel S x S.
        int differ = 0;
        for (int y = 0; y < 32 * s; ++y)
            for (int x = 0; x < 32 * s; ++x) {
                const bool shown = cur->Shape.Contains(x, y);
                differ += shown != one->Shape.Contains(x / s, y / s);
                if (shown) differ += cur->Picture.At(x, y) != one->Picture.At(x / s, y / s);
            }
        EXPECT_EQ(differ, 0) << s << "x";

        const auto ico = ProgramIconBytes(s);
        ASSERT_GT(ico.size(), 22u + 40 + 1024 + size_t(32 * s) * size_t(32 * s));
        EXPECT_EQ(ico[6], 32 * s);
        EXPECT_EQ(ico[7], 32 * s);
        const size_t img = ico[18] | (size_t{ico[19]} << 8);
        const size_t declared = ico[14] | (size_t{ico[15]} << 8) | (size_t{ico[16]} << 16);
        EXPECT_EQ(img + declared, ico.size()) << s << "x";
        // Its pixels and its see-through mask, rows padded to whole words.
        EXPECT_EQ(declared, 40u + 1024u + size_t(32 * s * 32 * s) + size_t(((32 * s + 31) / 32) * 4 * 32 * s));
    }
    EXPECT_EQ(ProgramIconBytes().data(), ProgramIconBytes(1).data());
}
