// quorvex_preview <out.bmp>: composes a review picture of the artwork in
// use: a board in the middle of a game (balls, pegs, note marks, covers for
// eight colours, the lit big ball with its caption, both toggles on) cut to
// the window's shape, with the timer, combinations and message windows
// beside it. It draws only with the program's own blits and region masks,
// from the embedded pictures, following the board's drawing order, so what
// it shows is what the game will show.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "resources/Pictures.h"
#include "util/Blit.h"
#include "util/Region.h"
#include "windows/CombsLayout.h"
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

constexpr int PegRise[6] = {0, 7, 7, 6, 4, 0};

// The board's drawing steps for one ball, one peg and one note mark.
void Ball(Bitmap& dst, const Bitmap& colors, const Bitmap& mask, int c, int row, int pos)
{
    const int x = 32 * pos + 32, y = 32 * row - 16;
    BlitRectRop(dst, x, y, 24, 24, 4, 4, mask, RopSrcAnd);
    BlitRectRop(dst, x, y, 24, 24, 4, 32 * (c - 1) + 4, colors, RopSrcPaint);
}

void Peg(Bitmap& dst, const Bitmap& sheet, int row, int slot)
{
    BlitRect(dst, 213 + 10 * slot, 32 * row - 12 + PegRise[slot], 10, 10, 10 * (slot - 1),
             32 * (row - 1) + PegRise[slot], sheet);
}

void Mark(Bitmap& dst, const Bitmap& xo, const Bitmap& xoMask, int colour, int mark)
{
    const int y = 32 * colour + 16, sx = mark == 1 ? 0 : 18;
    BlitRectRop(dst, 10, y, 18, 18, sx, 0, xoMask, RopSrcAnd);
    BlitRectRop(dst, 10, y, 18, 18, sx, 0, xo, RopSrcPaint);
}

void Digits(Bitmap& dst, const Bitmap& strip, int x, int y, const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        int cell = 10;
        if (ch >= '1' && ch <= '9') cell = ch - '1';
        if (ch == '0') cell = 9;
        if (ch == '/') cell = 11;
        if (ch == '-') cell = 12;
        BlitRect(dst, x + 12 * static_cast<int>(i), y, 12, 19, 12 * cell, 0, strip);
    }
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
    const Bitmap board = Pic(PictureWindow::Main, "ImgBoard");
    const Bitmap colors = Pic(PictureWindow::Main, "ImgColors");
    const Bitmap mask = Pic(PictureWindow::Main, "ImgMask");
    const Bitmap white = Pic(PictureWindow::Main, "ImgWhitePegs");
    const Bitmap red = Pic(PictureWindow::Main, "ImgRedPegs");
    const Bitmap xo = Pic(PictureWindow::Main, "imgXO");
    const Bitmap xoMask = Pic(PictureWindow::Main, "imgXOMask");
    const Bitmap toggles = Pic(PictureWindow::Main, "imgToggles");
    const Bitmap digits = Pic(PictureWindow::Main, "imgDigits");

    // A game of 4 holes and 8 colours, four rows answered, the fifth being
    // filled; notes on yellow (cross) and grey (ring).
    Bitmap buf(528, 420);
    BlitPicture(buf, 0, 0, board);
    BlitPicture(buf, 12, 300, Pic(PictureWindow::Main, "ImgNoBalls2"));
    BlitPicture(buf, 263, 20, Pic(PictureWindow::Main, "ImgPegColumn"));
    BlitPicture(buf, 188, 12, Pic(PictureWindow::Main, "ImgBallColumn"));
    BlitRect(buf, 284, 192, 32, 32, 0, 0, toggles);
    BlitRect(buf, 316, 192, 32, 32, 32, 0, toggles);
    const int rows[5][4] = {{1, 2, 3, 4}, {5, 6, 1, 7}, {1, 8, 2, 2}, {6, 1, 8, 3}, {6, 1, 0, 8}};
    const int pegs[4][4] = {{1, 2, 0, 0}, {1, 2, 0, 0}, {1, 1, 1, 0}, {1, 1, 2, 2}};
    for (int i = 0; i < 5; ++i)
        for (int p = 1; p <= 4; ++p)
            if (rows[i][p - 1]) Ball(buf, colors, mask, rows[i][p - 1], 12 - i, p);
    for (int i = 0; i < 4; ++i)
        for (int k = 1; k <= 4; ++k) {
            // Whites first, then reds, as the game stores them.
            const int m = pegs[i][k - 1];
            if (m) Peg(buf, m == 1 ? white : red, 12 - i, k);
        }
    Mark(buf, xo, xoMask, 2, 1);
    Mark(buf, xo, xoMask, 5, 2);

    // The screen: the buffer with the big ball lit under the pointer.
    Bitmap screen(528, 416);
    BlitPicture(screen, 0, 0, buf);
    BlitPicture(screen, 372, 258, Pic(PictureWindow::Main, "ImgBigBall"));
    BlitPicture(screen, 289, 233, Pic(PictureWindow::Main, "ImgEval"));

    Region shape(528, 420, RoundRectShape(0, 0, 288, 416, 24, 24));
    shape.Union(EllipseShape(298, 180, 528, 416))
        .Union(RectShape(200, 180, 408, 415))
        .Union(RectShape(280, 120, 328, 180))
        .Difference(RoundRectShape(287, 100, 340, 181, 24, 24));

    // A plain desktop to show the shapes against.
    Bitmap desktop(920, 470);
    for (int y = 0; y < desktop.Height; ++y)
        for (int x = 0; x < desktop.Width; ++x)
            desktop.At(x, y) = Rgb(uint8_t(70 + y / 12), uint8_t(96 + y / 10), uint8_t(112 + x / 20));
    Present(desktop, screen, 20, 20, &shape);

    // Timer: 2 min 27 s; record 7 rows in 93 s. Combinations: 120 left.
    Bitmap timer = Pic(PictureWindow::Timer, "imgTimer");
    Digits(timer, digits, TimerLayout::TimeText.X, TimerLayout::TimeText.Y, "147");
    Digits(timer, digits, TimerLayout::RecordText.X, TimerLayout::RecordText.Y, " 7/093");  // seconds padded with zeros
    const Region timerShape(timer.Width, timer.Height,
                            RoundRectShape(0, 0, timer.Width, timer.Height, Layout::CornerEllipse, Layout::CornerEllipse));
    Present(desktop, timer, 570, 60, &timerShape);
    Bitmap combs = Pic(PictureWindow::Combs, "imgCombs");
    Digits(combs, digits, CombsLayout::CountText.X, CombsLayout::CountText.Y, "   120");
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
