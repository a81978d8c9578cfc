// BoardGeometry: where everything on the board lies, in one table, and the
// round hit tests over it. The board window draws and hit tests from here,
// and so do the art generator, the preview and the tests: a ball, a hole or
// a button moves by changing one line of this file.
//
// Standard library only: the art generator includes it without the game's
// libraries. Coordinates are pixels of the main window's client area.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>

#include "util/Geometry.h"  // Rect; standard library only as well

namespace board {

struct Point {
    int X, Y;
};

// The board picture and the window: the window is created at its design
// size (which its centred default place is computed for) and takes its
// final size when first shown; the back buffer has the final size.
constexpr int Width = 528;
constexpr int Height = 416;
constexpr int WindowWidth = 528;
constexpr int WindowHeight = 420;
constexpr int DesignWidth = 640;
constexpr int DesignHeight = 416;

constexpr int Rows = 12;
constexpr int MaxPositions = 5;
constexpr int MaxColors = 10;

// Hit radius of every round target but the big ball.
constexpr int TargetRadius = 12;

// The colour column: ball c's centre (1..10; its 32 x 32 square starts 16
// up and left of it) and the note square over its upper left.
constexpr Point ColorCentre(int c) { return {28, 32 * c + 28}; }
constexpr Rect NoteSquare(int c) { return {10, 32 * c + 16, 18, 18}; }

// Hole (position p, row r): its hit centre and the 24 x 24 square a ball is
// drawn in, cut from the 32 x 32 sprite at BallInset.
constexpr Point HoleCentre(int p, int r) { return {32 * p + 44, 32 * r - 4}; }
constexpr Rect HoleBall(int p, int r) { return {32 * p + 32, 32 * r - 16, 24, 24}; }
// The ball of colour c in the colour column, as it is drawn.
constexpr Rect ColumnBall(int c) { return {ColorCentre(c).X - 12, ColorCentre(c).Y - 12, 24, 24}; }
// A finger that lets go within this many pixels of where it pressed has
// tapped; one held this long has pressed long.
constexpr int TapSlop = 6;
constexpr int LongPressMs = 500;
constexpr int BallInset = 4;
// The see-through cut of an empty hole: the ellipse inscribed in this box.
constexpr Rect SeeThrough(int p, int r) { return {32 * p + 31, 32 * r - 17, 27, 27}; }

// Peg holes climb to the right: the rise of slot k's cell, k = 1..5.
constexpr std::array<int, 6> PegRise{0, 7, 7, 6, 4, 0};
constexpr Rect PegCell(int k, int r) { return {213 + 10 * k, 32 * r - 12 + PegRise[k], 10, 10}; }
// The peg sheets are the board's peg area shifted by (-PegArea.Left, -PegArea.Top).
constexpr Rect PegArea{223, 20, 50, 369};
constexpr Point PegSheetSource(int k, int r) { return {10 * (k - 1), 32 * (r - 1) + PegRise[k]}; }

// Covers for fewer colours and for four positions.
constexpr Rect NoBalls1{12, 236, 32, 64};    // colours 7 and 8
constexpr Rect NoBalls2{12, 300, 32, 64};    // colours 9 and 10
constexpr Rect BallColumn{188, 12, 32, 384}; // hole column 5
constexpr Rect PegColumn{263, 20, 10, 364};  // peg column 5

constexpr Rect ToggleSquare(int t) { return {284 + 32 * (t - 1), 192, 32, 32}; }

// Captions of the buttons stand in one strip.
constexpr int CaptionTop = 233;
constexpr int CaptionStripHeight = 34;

// The ten buttons; the index is also the command it gives.
enum class Highlight { BigBall, Bullet, None };
struct Button {
    Point Centre;
    int Radius;
    Highlight Kind;
    Rect Lit;             // where the highlight goes (a toggle's square for the toggles)
    const char* Caption;  // the caption picture of the main window
    const char* Word;     // its lettering
    int CaptionX;
    int CaptionW, CaptionH;  // the caption picture's size
    int RestoreW;            // width of the strip put back when the light goes out
};
constexpr Point BigBallCentre{408, 294};
constexpr std::array<Button, 10> Buttons{{
    {{408, 294}, 32, Highlight::BigBall, {372, 258, 72, 72}, "ImgEval", "Evaluate", 289, 88, 29, 88},
    {{408, 208}, 12, Highlight::Bullet, {392, 192, 32, 32}, "ImgNew", "New", 307, 50, 29, 50},
    {{468, 234}, 12, Highlight::Bullet, {452, 218, 32, 32}, "ImgOpt", "Options", 294, 79, 34, 79},
    {{494, 294}, 12, Highlight::Bullet, {478, 278, 32, 32}, "ImgHint", "Hint", 308, 48, 29, 51},
    {{468, 354}, 12, Highlight::Bullet, {452, 338, 32, 32}, "ImgHigh", "High", 308, 51, 34, 51},
    {{408, 380}, 12, Highlight::Bullet, {392, 364, 32, 32}, "ImgAbout", "About", 300, 67, 29, 67},
    {{348, 354}, 12, Highlight::Bullet, {332, 338, 32, 32}, "ImgHelp", "Help", 308, 51, 34, 51},
    {{322, 294}, 12, Highlight::Bullet, {306, 278, 32, 32}, "ImgExit", "Exit", 313, 42, 29, 42},
    {{300, 208}, 12, Highlight::None, ToggleSquare(1), "imgTimer", "Timer", 305, 58, 31, 58},
    {{332, 208}, 12, Highlight::None, ToggleSquare(2), "imgCombs", "Combs", 300, 72, 31, 72},
}};
// Frame i of the bullet sheet is bullet i (1..7); the toggles' on looks
// are frames 1 and 2 of their sheet.
constexpr Point BulletFrame(int i) { return {32 * (i - 1), 0}; }
constexpr Point ToggleFrame(int t) { return {32 * (t - 1), 0}; }

// The window's outline, step by step: the left panel, the round right end,
// the bar joining them, and a block hollowed by the last rounded rectangle
// into the concave corner where the two parts meet. Boxes are left, top,
// right, bottom with right and bottom excluded.
struct OutlineStep {
    enum class Kind { Rect, RoundRect, Ellipse } Shape;
    bool Cut;  // false: united with what came before; true: taken away
    int Left, Top, Right, Bottom;
    int CornerW, CornerH;  // the corner ellipse of a rounded rectangle
};
constexpr std::array<OutlineStep, 5> Outline{{
    {OutlineStep::Kind::RoundRect, false, 0, 0, 288, 416, 24, 24},
    {OutlineStep::Kind::Ellipse, false, 298, 180, 528, 416, 0, 0},
    {OutlineStep::Kind::Rect, false, 200, 180, 408, 415, 0, 0},
    {OutlineStep::Kind::Rect, false, 280, 120, 328, 180, 0, 0},
    {OutlineStep::Kind::RoundRect, true, 287, 100, 340, 181, 24, 24},
}};

// ---- hit tests ---------------------------------------------------------------

// The distance of two points, rounded to the nearest whole pixel.
inline int32_t PointDistance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const double dx = double(x1) - double(x2), dy = double(y1) - double(y2);
    return static_cast<int32_t>(std::lround(std::sqrt(dx * dx + dy * dy)));
}
inline bool Hits(int x, int y, Point centre, int radius) {
    return PointDistance(x, y, centre.X, centre.Y) <= radius;
}

// The colour 1..colors whose ball is under (x, y), or 0.
inline int ColorAt(int x, int y, int colors) {
    int hit = 0;
    for (int c = 1; c <= colors; ++c)
        if (Hits(x, y, ColorCentre(c), TargetRadius)) hit = c;
    return hit;
}

struct HoleHit {
    int Position = 0, Row = 0;  // 0, 0: no hole
    explicit operator bool() const { return Position != 0; }
};
// The hole of positions 1..spaces under (x, y), searched position by
// position, row by row within it.
inline HoleHit HoleAt(int x, int y, int spaces) {
    for (int p = 1; p <= spaces; ++p)
        for (int r = 1; r <= Rows; ++r)
            if (Hits(x, y, HoleCentre(p, r), TargetRadius)) return {p, r};
    return {};
}

// The button under (x, y), or -1.
inline int ButtonAt(int x, int y) {
    int hit = -1;
    for (int i = 0; i < int(Buttons.size()); ++i)
        if (Hits(x, y, Buttons[size_t(i)].Centre, Buttons[size_t(i)].Radius)) hit = i;
    return hit;
}

}  // namespace board
