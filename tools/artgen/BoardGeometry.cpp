// BoardGeometry: the window shape as a pixel test (see BoardGeometry.h).
#include "BoardGeometry.h"

namespace board {

namespace {

bool InRect(double px, double py, double l, double t, double r, double b)
{
    return px >= l && px < r && py >= t && py < b;
}

bool InEllipse(double px, double py, double l, double t, double r, double b)
{
    const double cx = (l + r) / 2, cy = (t + b) / 2, rx = (r - l) / 2, ry = (b - t) / 2;
    const double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

// A rectangle whose corners are quarters of an ew x eh ellipse.
bool InRoundRect(double px, double py, double l, double t, double r, double b, double ew, double eh)
{
    if (!InRect(px, py, l, t, r, b)) return false;
    const double rx = ew / 2, ry = eh / 2;
    const double cx = px < l + rx ? l + rx : (px > r - rx ? r - rx : px);
    const double cy = py < t + ry ? t + ry : (py > b - ry ? b - ry : py);
    const double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

}  // namespace

bool InShape(int x, int y)
{
    const double px = x + 0.5, py = y + 0.5;
    // The left panel, the round right end, the bar joining them and the
    // block that the last rounded rectangle hollows into a concave corner.
    const bool united = InRoundRect(px, py, 0, 0, 288, 416, 24, 24) || InEllipse(px, py, 298, 180, 528, 416) ||
                        InRect(px, py, 200, 180, 408, 415) || InRect(px, py, 280, 120, 328, 180);
    return united && !InRoundRect(px, py, 287, 100, 340, 181, 24, 24);
}

}  // namespace board
