// ColourVision: what a colour-weak eye sees of a colour, for the art tests.
// Simulated dichromacy (Machado, Oliveira and Fernandes 2009, severity 1.0;
// applied in linear sRGB) and the CIEDE2000 colour difference.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace colour_vision {

struct Rgbd {
    double r, g, b;
};
inline double ToLinear(double c)
{
    c /= 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
inline double FromLinear(double c)
{
    c = std::clamp(c, 0.0, 1.0);
    return 255.0 * (c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055);
}
using Matrix = double[3][3];
inline constexpr Matrix kProtan = {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}};
inline constexpr Matrix kDeutan = {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}};
inline constexpr Matrix kTritan = {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}};
inline Rgbd Simulate(Rgbd c, const Matrix* m)
{
    if (!m) return c;
    const double l[3] = {ToLinear(c.r), ToLinear(c.g), ToLinear(c.b)};
    double o[3];
    for (int i = 0; i < 3; ++i) o[i] = FromLinear((*m)[i][0] * l[0] + (*m)[i][1] * l[1] + (*m)[i][2] * l[2]);
    return {o[0], o[1], o[2]};
}
struct Lab {
    double L, a, b;
};
inline Lab ToLab(Rgbd c)
{
    const double r = ToLinear(c.r), g = ToLinear(c.g), b = ToLinear(c.b);
    const double X = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047, Y = 0.2126 * r + 0.7152 * g + 0.0722 * b,
                 Z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(Y) - 16, 500 * (f(X) - f(Y)), 200 * (f(Y) - f(Z))};
}
inline double Deg(double rad) { return rad * 180 / M_PI; }
inline double Rad(double deg) { return deg * M_PI / 180; }
inline double DeltaE2000(Lab p, Lab q)
{
    const double C1 = std::hypot(p.a, p.b), C2 = std::hypot(q.a, q.b), Cb = (C1 + C2) / 2;
    const double G = 0.5 * (1 - std::sqrt(std::pow(Cb, 7) / (std::pow(Cb, 7) + std::pow(25.0, 7))));
    const double a1 = (1 + G) * p.a, a2 = (1 + G) * q.a;
    const double C1p = std::hypot(a1, p.b), C2p = std::hypot(a2, q.b);
    const double h1 = std::fmod(Deg(std::atan2(p.b, a1)) + 360, 360), h2 = std::fmod(Deg(std::atan2(q.b, a2)) + 360, 360);
    double dh = 0;
    if (C1p * C2p != 0) {
        dh = h2 - h1;
        if (dh > 180) dh -= 360;
        if (dh < -180) dh += 360;
    }
    const double dL = q.L - p.L, dC = C2p - C1p, dH = 2 * std::sqrt(C1p * C2p) * std::sin(Rad(dh / 2));
    const double Lb = (p.L + q.L) / 2, Cbp = (C1p + C2p) / 2;
    double hb = h1 + h2;
    if (C1p * C2p != 0) hb = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2 : (h1 + h2 + (h1 + h2 < 360 ? 360 : -360)) / 2;
    const double T = 1 - 0.17 * std::cos(Rad(hb - 30)) + 0.24 * std::cos(Rad(2 * hb)) +
                     0.32 * std::cos(Rad(3 * hb + 6)) - 0.20 * std::cos(Rad(4 * hb - 63));
    const double dTheta = 30 * std::exp(-std::pow((hb - 275) / 25, 2));
    const double RC = 2 * std::sqrt(std::pow(Cbp, 7) / (std::pow(Cbp, 7) + std::pow(25.0, 7)));
    const double SL = 1 + 0.015 * (Lb - 50) * (Lb - 50) / std::sqrt(20 + (Lb - 50) * (Lb - 50));
    const double SC = 1 + 0.045 * Cbp, SH = 1 + 0.015 * Cbp * T, RT = -std::sin(Rad(2 * dTheta)) * RC;
    return std::sqrt(std::pow(dL / SL, 2) + std::pow(dC / SC, 2) + std::pow(dH / SH, 2) + RT * (dC / SC) * (dH / SH));
}

// An 0x00RRGGBB pixel as seen through matrix m (none: normal vision), in Lab.
inline Lab SeenAs(uint32_t p, const Matrix* m)
{
    return ToLab(Simulate({double((p >> 16) & 0xFF), double((p >> 8) & 0xFF), double(p & 0xFF)}, m));
}

}  // namespace colour_vision
