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

bool InShape(int x, int y, int scale)
{
    const double px = (x + 0.5) / scale, py = (y + 0.5) / scale;
    bool inside = false;
    for (const OutlineStep& step : Outline) {
        const double l = step.Left, t = step.Top, r = step.Right, b = step.Bottom;
        bool in = false;
        switch (step.Shape) {
            case OutlineStep::Kind::Rect: in = InRect(px, py, l, t, r, b); break;
            case OutlineStep::Kind::RoundRect: in = InRoundRect(px, py, l, t, r, b, step.CornerW, step.CornerH); break;
            case OutlineStep::Kind::Ellipse: in = InEllipse(px, py, l, t, r, b); break;
        }
        inside = step.Cut ? inside && !in : inside || in;
    }
    return inside;
}

}  // namespace board
