// Scale: dots per inch to a drawing scale.
#include "util/Scale.h"

#include <algorithm>
#include <cmath>

int ScaleForDpi(double dpi) {
    if (!(dpi > 0)) return 1;
    return std::clamp(int(std::lround(dpi / 96.0)), MinScale, MaxScale);
}
