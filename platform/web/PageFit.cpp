#include "platform/web/PageFit.h"

#include <algorithm>
#include <cmath>

namespace {

int DeviceScale(const PageView& v) { return std::clamp(int(std::lround(v.DevicePixelRatio)), 1, 3); }

// CSS pixels per logical pixel that make the fitted window as large as the
// page allows.
double FillZoom(const PageView& v) {
    return PageFillShare * std::min(v.CssWidth / v.FitWidth, v.CssHeight / v.FitHeight);
}

bool Measured(const PageView& v) { return v.CssWidth > 0 && v.CssHeight > 0 && v.FitWidth > 0 && v.FitHeight > 0; }

}  // namespace

int PageArtScale(const PageView& v) {
    if (!v.FillPage || !Measured(v)) return DeviceScale(v);
    const double wanted = FillZoom(v) * v.DevicePixelRatio;  // device pixels per logical pixel
    if (wanted <= 1) return 1;
    const int below = int(std::floor(wanted));
    if (below >= 3) return 3;
    return wanted / below <= MaxEnlargement ? below : below + 1;
}

double ScreenPerCss(const PageView& v, int drawScale) {
    const int s = std::clamp(drawScale, 1, 3);
    if (!Measured(v)) return DeviceScale(v);
    if (v.FillPage) return s / FillZoom(v);
    // At least one screen pixel a device pixel; more when the window would
    // not fit the page whole.
    return std::max({double(DeviceScale(v)), double(v.FitWidth) * s / v.CssWidth, double(v.FitHeight) * s / v.CssHeight});
}
