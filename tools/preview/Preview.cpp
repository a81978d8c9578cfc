// quorvex_preview <out.bmp>: composes a review picture of the artwork in
// use: a board in the middle of a game (balls, pegs, note marks, covers for
// eight colours, the lit big ball with its caption, both toggles on, the
// empty holes see-through) cut to
// the window's shape, with the timer, combinations and message windows
// beside it. The board comes from the board's own renderer and the digits
// from the windows' digit routine, over the embedded pictures, so what it
// shows is what the game will show.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "board/BoardRenderer.h"
#include "game/GameState.h"
#include "resources/Pictures.h"
#include "util/Blit.h"
#include "util/Region.h"
#include "windows/CombsLayout.h"
#include "windows/Digits.h"
#include "windows/MessageLayout.h"
#include "windows/OptionsLayout.h"
#include "windows/TimerLayout.h"

namespace {

Bitmap Pic(PictureWindow w, const char* name)
{
    std::string error;
    auto img = LoadPicture(w, name, &error);
    if (!img) {
        std::fprintf(stderr, "preview: %s\n", error.c_str());
        return Bitmap(1, 1, 0xFF00FF);
    }
    return img->Picture;
}

// Copies the picture onto the desktop at (x, y), only where the region holds.
void Present(Bitmap& desktop, const Bitmap& pic, int x, int y, const Region* shape)
{
    for (int py = 0; py < pic.Height; ++py)
        for (int px = 0; px < pic.Width; ++px)
            if ((!shape || shape->Contains(px, py)) && desktop.Contains(x + px, y + py))
                desktop.At(x + px, y + py) = pic.At(px, py);
}

bool WriteBmp(const Bitmap& b, const char* path)
{
    const int pad = (4 - (b.Width * 3) % 4) % 4;
    const uint32_t image = static_cast<uint32_t>((b.Width * 3 + pad) * b.Height);
    std::vector<uint8_t> out;
    auto u16 = [&](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    out.push_back('B');
    out.push_back('M');
    u32(54 + image);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<uint32_t>(b.Width));
    u32(static_cast<uint32_t>(b.Height));
    u16(1);
    u16(24);
    u32(0);
    u32(image);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    for (int y = b.Height - 1; y >= 0; --y) {
        for (int x = 0; x < b.Width; ++x) {
            const uint32_t p = b.At(x, y);
            out.push_back(uint8_t(p));
            out.push_back(uint8_t(p >> 8));
            out.push_back(uint8_t(p >> 16));
        }
        out.insert(out.end(), static_cast<size_t>(pad), 0);
    }
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <out.bmp>\n", argv[0]);
        return 2;
    }
    // A game of 4 holes and 8 colours, four rows answered, the fifth being
    // filled; notes on yellow (cross) and grey (ring); both view switches
    // on and the see-through holes open. The board's own renderer draws it.
    GameSettings.Spaces = 4;
    GameSettings.Colors = 8;
    GameSettings.Holes = true;
    GameSettings.ViewTimer() = GameSettings.ViewCombs() = true;
    const char* rows[5] = {"1234", "5617", "1822", "6183", "61 8"};
    const char* pegs[4] = {"12", "12", "111", "1122"};  // whites first, then reds
    for (size_t i = 0; i < 5; ++i)
        for (size_t p = 1; p <= 4; ++p)
            BoardState.Guesses[12 - i][p] = rows[i][p - 1] == ' ' ? 0 : static_cast<uint8_t>(rows[i][p - 1] - '0');
    for (size_t i = 0; i < 4; ++i)
        for (size_t k = 1; pegs[i][k - 1]; ++k) BoardState.PegMarks[12 - i][k] = static_cast<uint8_t>(pegs[i][k - 1] - '0');
    BoardState.ColorMarks[2] = MarkCross;
    BoardState.ColorMarks[5] = MarkRing;
    BoardState.CurrentRow = 8;

    PictureCache pictures(1);
    BoardRenderer renderer(pictures);
    renderer.RedrawBoard();
    // The screen: the buffer with the big ball lit under the pointer.
    Bitmap screen = renderer.BackBuffer;
    renderer.DrawLight(screen, 0);
    const Region shape = BoardRenderer::BuildShape(1);

    // A plain desktop to show the shapes against.
    Bitmap desktop(920, 470);
    for (int y = 0; y < desktop.Height; ++y)
        for (int x = 0; x < desktop.Width; ++x)
            desktop.At(x, y) = Rgb(uint8_t(70 + y / 12), uint8_t(96 + y / 10), uint8_t(112 + x / 20));
    Present(desktop, screen, 20, 20, &shape);

    // Timer: 2 min 27 s; record 7 rows in 93 s. Combinations: 120 left.
    Bitmap timer = Pic(PictureWindow::Timer, "imgTimer");
    DrawDigits(pictures, timer, TimerLayout::TimeText.X, TimerLayout::TimeText.Y, "147");
    DrawDigits(pictures, timer, TimerLayout::RecordText.X, TimerLayout::RecordText.Y, " 7/093");  // seconds padded with zeros
    const Region timerShape(timer.Width, timer.Height,
                            RoundRectShape(0, 0, timer.Width, timer.Height, Layout::CornerEllipse, Layout::CornerEllipse));
    Present(desktop, timer, 570, 60, &timerShape);
    Bitmap combs = Pic(PictureWindow::Combs, "imgCombs");
    DrawDigits(pictures, combs, CombsLayout::CountText.X, CombsLayout::CountText.Y, "   120");
    const Region combsShape(combs.Width, combs.Height,
                            RoundRectShape(0, 0, combs.Width, combs.Height, Layout::CornerEllipse, Layout::CornerEllipse));
    Present(desktop, combs, 750, 60, &combsShape);

    Bitmap message = Pic(PictureWindow::Message, "imgMessage");
    BlitPicture(message, MessageLayout::Plate.Left, MessageLayout::Plate.Top, Pic(PictureWindow::Message, "imgWin"));
    BlitPicture(message, MessageLayout::Exit.Left, MessageLayout::Exit.Top, Pic(PictureWindow::Message, "imgExit"));
    Present(desktop, message, 550, 150, nullptr);

    // Options with its current choices marked: 4 holes, 8 colours, repeats.
    Bitmap options = Pic(PictureWindow::Options, "ImgOptions");
    for (int choice : {OptionsLayout::Choice4, OptionsLayout::Choice8, OptionsLayout::ChoiceYes}) {
        const OptionsLayout::Choice& c = OptionsLayout::Choices[static_cast<size_t>(choice)];
        BlitPicture(options, c.Area.Left, c.Area.Top, Pic(PictureWindow::Options, c.Name));
    }
    Present(desktop, options, 560, 290, nullptr);
    return WriteBmp(desktop, argv[1]) ? 0 : 1;
}
