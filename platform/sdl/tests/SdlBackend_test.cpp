// The SDL backend's own rules, the parts that need no X server: key
// codes, the shape's rectangles and where the help lies.
#include <gtest/gtest.h>

#include <SDL_keyboard.h>

#include <set>
#include <string>

#include "platform/Platform.h"
#include "platform/sdl/HelpDocument.h"
#include "platform/sdl/KeyMap.h"
#include "platform/sdl/ShapeRects.h"

TEST(SdlKeyMap, GameKeysGetTheirPortableCodes) {
    EXPECT_EQ(PortableKey(SDLK_SPACE), Key::Space);
    EXPECT_EQ(PortableKey(SDLK_RETURN), Key::Enter);
    EXPECT_EQ(PortableKey(SDLK_KP_ENTER), Key::Enter);
    EXPECT_EQ(PortableKey(SDLK_ESCAPE), Key::Escape);
    const SDL_Keycode functionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                        SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(PortableKey(functionKeys[n - 1]), 111 + n) << "F" << n;
    EXPECT_EQ(PortableKey(SDLK_a), 'A');
    EXPECT_EQ(PortableKey(SDLK_z), 'Z');
    EXPECT_EQ(PortableKey(SDLK_7), '7');
    EXPECT_EQ(PortableKey(SDLK_BACKSPACE), 8);
    EXPECT_EQ(PortableKey(SDLK_LEFT), 37);
    EXPECT_EQ(PortableKey(SDLK_UP), 38);
    EXPECT_EQ(PortableKey(SDLK_RIGHT), 39);
    EXPECT_EQ(PortableKey(SDLK_DOWN), 40);
    // Both rows of digits give '0'..'9': the keypad's 0 does not follow its
    // 9 in SDL's numbering, so every one is checked.
    const SDL_Keycode row[] = {SDLK_0, SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6, SDLK_7, SDLK_8, SDLK_9};
    const SDL_Keycode pad[] = {SDLK_KP_0, SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4,
                               SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8, SDLK_KP_9};
    for (int n = 0; n <= 9; ++n) {
        EXPECT_EQ(PortableKey(row[n]), 48 + n) << n;
        EXPECT_EQ(PortableKey(pad[n]), 48 + n) << "keypad " << n;
    }
    // Keys the game never uses must not pass for one it does.
    for (SDL_Keycode other : {SDLK_F13, SDLK_TAB, SDLK_KP_PERIOD, SDLK_KP_PLUS, SDLK_DELETE, SDLK_LSHIFT})
        EXPECT_EQ(PortableKey(other), 0) << other;
    EXPECT_EQ(PortableModifiers(KMOD_RSHIFT | KMOD_LCTRL), Modifier::Shift | Modifier::Ctrl);
    EXPECT_EQ(PortableModifiers(KMOD_LALT | KMOD_NUM | KMOD_CAPS), Modifier::Alt);
}

TEST(SdlShapeRects, RectanglesCoverExactlyTheRegionWithoutOverlap) {
    Region region(120, 90, RoundRectShape(0, 0, 80, 90, 24, 24));
    region.Union(EllipseShape(60, 20, 120, 80));
    region.Difference(EllipseShape(20, 30, 40, 50));  // a see-through hole
    const auto rects = ShapeRectangles(region);
    Region painted(120, 90);
    long area = 0;
    for (const Rect& r : rects) {
        painted.Union(RectShape(r.Left, r.Top, r.Right(), r.Bottom()));
        area += long(r.Width) * r.Height;
    }
    EXPECT_EQ(painted, region);
    EXPECT_EQ(area, region.Count()) << "rectangles overlap";
    // Banded: each rectangle starts below or level with, and right of, the one before.
    for (size_t i = 1; i < rects.size(); ++i)
        EXPECT_TRUE(rects[i].Top > rects[i - 1].Top ||
                    (rects[i].Top == rects[i - 1].Top && rects[i].Left >= rects[i - 1].Right()));
    // The straight middle rows of the rounded panel become bands, not one rectangle a row.
    EXPECT_LT(rects.size(), 200u);

    EXPECT_EQ(ShapeRectangles(Region(40, 30, RectShape(5, 5, 25, 20))), (std::vector<Rect>{{5, 5, 20, 15}}));
    EXPECT_TRUE(ShapeRectangles(Region(40, 30)).empty());
}

TEST(SdlHelpDocument, FoundBesideTheProgramThenInTheShareFolders) {
    std::set<std::string> files;
    auto exists = [&](const std::string& p) { return files.count(p) > 0; };
    const std::string program = "/opt/qv/bin/quorvex";

    EXPECT_FALSE(FindHelpDocument("/opt/qv/bin/QuorVex.hlp", program, exists));

    files = {"/opt/qv/share/quorvex/QuorVex.html"};
    EXPECT_EQ(FindHelpDocument("/opt/qv/bin/QuorVex.hlp", program, exists), "/opt/qv/share/quorvex/QuorVex.html");
    files.insert("/opt/qv/share/doc/quorvex/QuorVex.html");
    EXPECT_EQ(FindHelpDocument("/opt/qv/bin/QuorVex.hlp", program, exists),
              "/opt/qv/share/doc/quorvex/QuorVex.html");
    files.insert("/opt/qv/bin/QuorVex.html");
    EXPECT_EQ(FindHelpDocument("/opt/qv/bin/QuorVex.hlp", program, exists), "/opt/qv/bin/QuorVex.html");

    // The .hlp file itself is never what is opened, and a name without a
    // file part finds nothing.
    files = {"/opt/qv/bin/QuorVex.hlp"};
    EXPECT_FALSE(FindHelpDocument("/opt/qv/bin/QuorVex.hlp", program, exists));
    EXPECT_FALSE(FindHelpDocument("/opt/qv/bin/", program, exists));
}
