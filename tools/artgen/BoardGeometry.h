// BoardGeometry: where the board's elements lie, as the game draws and hit
// tests them, in the form the artwork needs (continuous centres for cairo,
// rectangles for the sprite crops). The game's own code has its copy of
// these numbers; a test checks the pictures against them independently.
#pragma once

#include <array>

namespace board {

constexpr int Width = 528;
constexpr int Height = 416;

// Peg holes climb to the right: the rise of each slot's cell, slot 1..5.
constexpr std::array<int, 6> PegRise{0, 7, 7, 6, 4, 0};

struct Point {
    double X, Y;
};
struct Rect {
    int X, Y, W, H;
};

// Centre of the ball of colour c (1..10) in the colour column; its 32 x 32
// square starts at (12, 32c + 12), so the centre is at +16 in pixel edges.
constexpr Point ColorCentre(int c) { return {28.0, 32.0 * c + 28.0}; }
// Centre of hole (position p, row r); the ball is drawn 24 x 24 from
// (32p + 32, 32r - 16), its centre 12 further.
constexpr Point HoleCentre(int p, int r) { return {32.0 * p + 44.0, 32.0 * r - 4.0}; }
// The 10 x 10 cell of peg slot k in row r, and the centre of its peg hole.
constexpr Rect PegCell(int k, int r) { return {213 + 10 * k, 32 * r - 12 + PegRise[k], 10, 10}; }
constexpr Point PegCentre(int k, int r)
{
    return {PegCell(k, r).X + 5.0, PegCell(k, r).Y + 5.0};
}
// The note square of colour c (18 x 18, over the ball's upper left).
constexpr Rect NoteSquare(int c) { return {10, 32 * c + 16, 18, 18}; }

// The round right part: the big ball (button 0) and the seven bullets
// (buttons 1..7) on a ring around it.
constexpr Point BigBallCentre{408.0, 294.0};
constexpr Rect BigBallSquare{372, 258, 72, 72};
constexpr std::array<Point, 8> BulletCentre{{
    {0, 0},  // index 0 is the big ball
    {408, 208}, {468, 234}, {494, 294}, {468, 354}, {408, 380}, {348, 354}, {322, 294},
}};
constexpr Rect BulletSquare(int i)
{
    return {static_cast<int>(BulletCentre[static_cast<unsigned>(i)].X) - 16,
            static_cast<int>(BulletCentre[static_cast<unsigned>(i)].Y) - 16, 32, 32};
}
constexpr Rect ToggleSquare(int t) { return {284 + 32 * (t - 1), 192, 32, 32}; }

// Covers laid over the board for fewer colours and four holes.
constexpr Rect NoBalls1{12, 236, 32, 64};
constexpr Rect NoBalls2{12, 300, 32, 64};
constexpr Rect BallColumn{188, 12, 32, 384};
constexpr Rect PegColumn{263, 20, 10, 364};
constexpr Rect PegArea{223, 20, 50, 369};

// Button captions: drawn with their top at y = 233.
constexpr int CaptionTop = 233;
struct Caption {
    const char* Name;  // picture name
    const char* Word;  // the lettering
    int X, W, H;
};
constexpr std::array<Caption, 10> Captions{{
    {"ImgEval", "Evaluate", 289, 88, 29},
    {"ImgNew", "New", 307, 50, 29},
    {"ImgOpt", "Options", 294, 79, 34},
    {"ImgHint", "Hint", 308, 48, 29},
    {"ImgHigh", "High", 308, 51, 34},
    {"ImgAbout", "About", 300, 67, 29},
    {"ImgHelp", "Help", 308, 51, 34},
    {"ImgExit", "Exit", 313, 42, 29},
    {"imgTimer", "Timer", 305, 58, 31},
    {"imgCombs", "Combs", 300, 72, 31},
}};

// The window's shape, pixel by pixel (pixel centres tested against the
// rounded rectangles and the ellipse of the region).
bool InShape(int x, int y);

}  // namespace board
