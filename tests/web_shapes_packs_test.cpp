// The browser build's portable rules: window shapes as CSS clip paths, the
// page's keys, canvas pixels, and
// the 2x/3x picture packs with the seam the resources layer fetches through.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/web/CanvasPixels.h"
#include "platform/web/ClipPath.h"
#include "platform/web/PageFit.h"
#include "platform/web/PagePlace.h"
#include "platform/Platform.h"
#include "platform/web/WebKeys.h"
#include "resources/Pictures.h"
#include "resources/ResourcePack.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

}  // namespace

TEST(ClipPath, RowsWithTheSameRunsBecomeOneRectangle) {
    Region r(10, 6, RectShape(2, 1, 8, 5));
    EXPECT_EQ(ClipPathCss(r, 1), "path('M2 1H8V5H2Z')");
    // A hole splits rows into two runs; the rows above and below stay whole.
    r.Difference(RectShape(4, 2, 6, 4));
    EXPECT_EQ(ClipPathCss(r, 1), "path('M2 1H8V2H2ZM2 2H4V4H2ZM6 2H8V4H6ZM2 4H8V5H2Z')");
}

TEST(ClipPath, ARowWithMoreRunsIsNotMergedIntoTheOneAbove) {
    Region r(10, 3, RectShape(0, 0, 4, 2));
    r.Union(RectShape(6, 1, 8, 2));
    EXPECT_EQ(ClipPathCss(r, 1), "path('M0 0H4V1H0ZM0 1H4V2H0ZM6 1H8V2H6Z')");
}

TEST(ClipPath, DeviceScaleDividesIntoCssPixels) {
    Region r(9, 9, RectShape(3, 0, 9, 3));
    EXPECT_EQ(ClipPathCss(r, 3), "path('M1 0H3V1H1Z')");
    Region odd(5, 5, RectShape(1, 0, 4, 2));
    EXPECT_EQ(ClipPathCss(odd, 2), "path('M0.5 0H2V1H0.5Z')");
    EXPECT_EQ(ClipPathCss(odd, 0), ClipPathCss(odd, 1));
}

TEST(ClipPath, AnEmptyShapeHoldsNothing) {
    EXPECT_EQ(ClipPathCss(Region(20, 20), 1), "path('M0 0Z')");
}

TEST(ResourcePack, FilesAreFoundByPathAndAbsentOnesAreEmpty) {
    auto pack = ResourcePack::Parse(Bytes("QVPACK1\n3 2x/a.bmp.z\n0 2x/empty\n2 2x/b\n\nabcde"));
    ASSERT_TRUE(pack);
    EXPECT_EQ(pack->FileCount(), 3u);
    const auto a = pack->File("2x/a.bmp.z");
    EXPECT_EQ(std::string(a.begin(), a.end()), "abc");
    const auto b = pack->File("2x/b");
    EXPECT_EQ(std::string(b.begin(), b.end()), "de");
    EXPECT_TRUE(pack->File("2x/empty").empty());
    EXPECT_TRUE(pack->File("2x/c").empty());
}

TEST(ResourcePack, DamagedPacksAreRefusedWithAReason) {
    const std::vector<std::string> bad = {
        "",                                  // nothing
        "QVPACK2\n\n",                       // another format
        "QVPACK1\n3 a\n",                    // head cut short
        "QVPACK1\nx a\n\n",                  // size is no number
        "QVPACK1\n3\n\nabc",                 // no path
        "QVPACK1\n4 a\n\nabc",               // shorter than its files
        "QVPACK1\n1 a\n1 a\n\nab",           // a path twice
        "QVPACK1\n1 a\n\nabc",               // bytes nobody claims
        "QVPACK1\n99999999999999999999 a\n\nabc",  // a size past any pack
    };
    for (const std::string& text : bad) {
        std::string error;
        EXPECT_FALSE(ResourcePack::Parse(Bytes(text), &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(ResourcePack, NamesAndScalesOfPaths) {
    EXPECT_EQ(PackFor("2x/main/ImgBoard.bmp.z"), "quorvex-2x-main.pack");
    EXPECT_EQ(PackFor("3x/about/ImgAbout.bmp.z"), "quorvex-3x-about.pack");
    EXPECT_EQ(PackFor("3x/FIST.cur"), "quorvex-3x-main.pack");
    EXPECT_EQ(PackFor("main/ImgBoard.bmp"), "");
    EXPECT_EQ(PathScale("2x/main/ImgBoard.bmp.z"), 2);
    EXPECT_EQ(PathScale("3x/FIST.cur"), 3);
    EXPECT_EQ(PathScale("main/ImgBoard.bmp"), 1);
    EXPECT_EQ(PathScale("x2/main"), 1);
}

TEST(ResourcePack, TheFetcherIsAskedOnlyForFilesNotCompiledIn) {
    std::vector<std::string> asked;
    const std::vector<uint8_t> fetched = Bytes("fetched");
    SetResourceFetcher([&](std::string_view path) {
        asked.emplace_back(path);
        return path == "4x/extra" ? std::span<const uint8_t>(fetched) : std::span<const uint8_t>{};
    });
    EXPECT_FALSE(ResourceBytes("main/ImgBoard.bmp").empty());  // compiled in: the fetcher is not asked
    EXPECT_EQ(ResourceBytes("4x/extra").size(), fetched.size());
    EXPECT_TRUE(ResourceBytes("4x/missing").empty());
    EXPECT_EQ(asked, (std::vector<std::string>{"4x/extra", "4x/missing"}));
    SetResourceFetcher(nullptr);
    EXPECT_TRUE(ResourceBytes("4x/extra").empty());
}

TEST(PagePlace, AWindowStaysWithinThePageOrCoversItWhenLarger) {
    struct Case {
        Rect In;
        int PageW, PageH;
        Rect Out;
    };
    const Case cases[] = {
        {{10, 20, 100, 50}, 480, 360, {10, 20, 100, 50}},        // within: left alone
        {{-30, -5, 100, 50}, 480, 360, {0, 0, 100, 50}},          // off the left and top
        {{450, 340, 100, 50}, 480, 360, {380, 310, 100, 50}},     // off the right and bottom
        {{0, 0, 480, 360}, 480, 360, {0, 0, 480, 360}},           // exactly the page
        // Larger than the page: it covers the page, never leaves a gap.
        {{-550, -408, 528, 420}, 480, 360, {-48, -60, 528, 420}},
        {{30, 10, 528, 420}, 480, 360, {0, 0, 528, 420}},
        {{-20, -30, 528, 420}, 480, 360, {-20, -30, 528, 420}},
        // A page not laid out yet moves nothing.
        {{-500, 9000, 10, 10}, 0, 0, {-500, 9000, 10, 10}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeepWithinPage(c.In, c.PageW, c.PageH), c.Out) << c.In.Left << "," << c.In.Top;
}

TEST(PageFit, TouchScreensFillThePageFromArtEnlargedLittleAndDesktopsKeepTheirPixels) {
    struct Case {
        const char* Screen;
        double Dpr, W, H;
        bool Touch;
        int Art;
    };
    const Case touch[] = {
        {"phone upright", 3, 390, 844, true, 2},   {"small phone", 2, 360, 640, true, 2},
        {"phone on its side", 3, 844, 390, true, 3}, {"Android", 2.625, 412, 915, true, 2},
        {"tablet", 2, 820, 1180, true, 3},          {"tablet on its side", 2, 1180, 820, true, 3},
        {"old phone", 1, 320, 480, true, 1},
    };
    for (const Case& c : touch) {
        const PageView v{c.Dpr, c.W, c.H, c.Touch, 528, 420};
        const int art = PageArtScale(v);
        EXPECT_EQ(art, c.Art) << c.Screen;
        const double cssPerLogical = art / ScreenPerCss(v, art);
        // The board fills the page one way, and fits it the other.
        const double across = 528 * cssPerLogical / c.W, down = 420 * cssPerLogical / c.H;
        EXPECT_GE(std::max(across, down), 0.95) << c.Screen;
        EXPECT_LE(std::max(across, down), 1.0) << c.Screen;
        // Art is enlarged by at most 1.25 where a larger art exists.
        const double enlarged = cssPerLogical * c.Dpr / art;
        if (art < 3) EXPECT_LE(enlarged, MaxEnlargement + 1e-9) << c.Screen;
    }
    // A desktop browser with room: one screen pixel a device pixel, at any
    // scale F10 chose; a window too small shows the whole board smaller.
    EXPECT_EQ(PageArtScale({1, 1280, 900, false, 528, 420}), 1);
    EXPECT_EQ(ScreenPerCss({1, 1280, 900, false, 528, 420}, 1), 1.0);
    EXPECT_EQ(ScreenPerCss({1, 1280, 900, false, 528, 420}, 2), 1.0);
    EXPECT_EQ(PageArtScale({2, 1280, 900, false, 528, 420}), 2);
    EXPECT_EQ(ScreenPerCss({2, 1280, 900, false, 528, 420}, 2), 2.0);
    EXPECT_DOUBLE_EQ(ScreenPerCss({1, 480, 360, false, 528, 420}, 1), 420.0 / 360);
    // Nothing measured yet: the device's own ratio.
    EXPECT_EQ(ScreenPerCss({2, 0, 0, true, 528, 420}, 2), 2.0);
}

TEST(WebKeyMap, GameKeysGetTheirPortableCodesByPlaceAndLettersByWhatTheyType) {
    struct Case {
        const char* Code;
        const char* Key;
        int Portable;
    };
    for (const Case& c : {Case{"Space", " ", Key::Space}, Case{"Enter", "Enter", Key::Enter},
                          Case{"NumpadEnter", "Enter", Key::Enter}, Case{"Escape", "Escape", Key::Escape},
                          Case{"Backspace", "Backspace", Key::Backspace}, Case{"ArrowLeft", "ArrowLeft", Key::Left},
                          Case{"ArrowUp", "ArrowUp", Key::Up}, Case{"ArrowRight", "ArrowRight", Key::Right},
                          Case{"ArrowDown", "ArrowDown", Key::Down}, Case{"Tab", "Tab", 9}, Case{"Delete", "Delete", 46},
                          // Letters by what they type, whatever the layout: Y on a
                          // German keyboard is where QWERTY has Z.
                          Case{"KeyZ", "y", 'Y'}, Case{"KeyY", "Y", 'Y'}, Case{"KeyN", "n", 'N'},
                          // Digits by their place: Shift+1 types "!" but is still 1, an
                          // AZERTY top row too.
                          Case{"Digit1", "!", '1'}, Case{"Digit0", "à", '0'}, Case{"Numpad7", "7", '7'},
                          Case{"Numpad0", "Insert", '0'},
                          // Keys the game never uses pass for none it does.
                          Case{"F13", "F13", 0}, Case{"ShiftLeft", "Shift", 0}, Case{"NumpadAdd", "+", '+'},
                          Case{"KeyE", "é", 0}, Case{"", "", 0}, Case{"Digit10", "", 0}, Case{"F0", "F0", 0}}) {
        EXPECT_EQ(WebKeyCode(c.Code, c.Key), c.Portable) << c.Code << " / " << c.Key;
    }
    for (int n = 1; n <= 12; ++n)
        EXPECT_EQ(WebKeyCode("F" + std::to_string(n), "F" + std::to_string(n)), Key::Function(n)) << "F" << n;
    for (int n = 0; n <= 9; ++n) EXPECT_EQ(WebKeyCode("Digit" + std::to_string(n), ""), Key::Digit(n)) << n;
}

TEST(WebKeyMap, TheGamesKeysAreTheGamesAndEveryOtherStaysTheBrowsers) {
    // F1 is no browser help, F5 no reload, Backspace no going back; with
    // Alt the function keys still are the game's (Alt+F4 closes the board).
    for (int key : {Key::Function(1), Key::Function(5), Key::Function(12), Key::Backspace, Key::Enter, Key::Escape,
                    Key::Space, Key::Left, Key::Down, Key::Digit(0), Key::Digit(9)})
        EXPECT_TRUE(GameTakesKey(key, false, false, false)) << key;
    EXPECT_TRUE(GameTakesKey(Key::Function(4), false, true, false));
    EXPECT_FALSE(GameTakesKey(Key::Space, false, true, false));
    EXPECT_FALSE(GameTakesKey(Key::Digit(3), false, true, false));
    // Ctrl and the system key leave every key to the browser (Ctrl+F5,
    // Cmd+1), and so do the keys the game ignores.
    EXPECT_FALSE(GameTakesKey(Key::Function(5), true, false, false));
    EXPECT_FALSE(GameTakesKey(Key::Digit(1), false, false, true));
    for (int key : {0, 9, 46, int('Y'), int('+')}) EXPECT_FALSE(GameTakesKey(key, false, false, false)) << key;
}

TEST(CanvasPixels, PixelsBecomeRgbaBytesOpaqueOrCutToAShape) {
    Bitmap picture(3, 2);
    picture.At(1, 0) = 0x00112233;
    picture.At(2, 1) = 0x00ABCDEF;
    std::vector<uint8_t> out;
    ToCanvasPixels(picture, Rect{1, 0, 2, 2}, nullptr, out);
    EXPECT_EQ(out, (std::vector<uint8_t>{0x11, 0x22, 0x33, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0xAB, 0xCD, 0xEF, 255}));
    const Region shape(3, 2, RectShape(2, 1, 3, 2));
    ToCanvasPixels(picture, Rect{0, 0, 3, 2}, &shape, out);
    ASSERT_EQ(out.size(), 24u);
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(out[i * 4 + 3], i == 5 ? 255 : 0) << i;
    EXPECT_EQ(out[20], 0xAB);
}
