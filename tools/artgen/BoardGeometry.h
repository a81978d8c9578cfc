// BoardGeometry: the board's table (board/BoardGeometry.h) in the forms the
// artwork needs besides it: centres in continuous coordinates for cairo,
// the bullets' centres and squares as lists, and the window's shape as a
// pixel test.
#pragma once

#include <array>

#include "board/BoardGeometry.h"

namespace board {

struct PointD {
    double X, Y;
};

// The centre of peg slot k's hole in row r: the middle of its cell.
constexpr PointD PegCentre(int k, int r) { return {PegCell(k, r).Left + 5.0, PegCell(k, r).Top + 5.0}; }

// The round right part: the big ball (button 0) and the seven bullets
// (buttons 1..7) on a ring around it.
constexpr Rect BigBallSquare = Buttons[0].Lit;
constexpr std::array<Point, 8> BulletCentre{{Buttons[0].Centre, Buttons[1].Centre, Buttons[2].Centre,
                                             Buttons[3].Centre, Buttons[4].Centre, Buttons[5].Centre,
                                             Buttons[6].Centre, Buttons[7].Centre}};
constexpr Rect BulletSquare(int i) { return Buttons[static_cast<unsigned>(i)].Lit; }

// The window's shape, pixel by pixel (pixel centres tested against the
// outline's rounded rectangles and ellipse). At scale s the pixel (x, y) is
// one of s x s per 1x pixel and its centre is tested in 1x units, the same
// exact test the program's region at that scale makes.
bool InShape(int x, int y, int scale = 1);

}  // namespace board
