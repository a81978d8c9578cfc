// Scale: the drawing scale of the run.
#include "util/Scale.h"

#include <algorithm>
#include <cmath>

namespace {
int& Current() {
    static int scale = 1;
    return scale;
}
}  // namespace

int DrawingScale() { return Current(); }

void SetDrawingScale(int scale) { Current() = std::clamp(scale, MinScale, MaxScale); }

int ScaleForDpi(double dpi) {
    if (!(dpi > 0)) return 1;
    return std::clamp(int(std::lround(dpi / 96.0)), MinScale, MaxScale);
}
