#include "ColourSpaces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ColourSpaces {

namespace {

using Matrix = std::array<Triple, 3>;

Triple times(const Matrix& m, const Triple& v) {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

Triple each(const Triple& v, double (*f)(double)) {
    return {f(v[0]), f(v[1]), f(v[2])};
}

// Linear sRGB to CIE XYZ (D65) and back: CSS Color 4's sample code (conversions.js), whose
// rational forms are exact for sRGB's primaries and D65 white point.
constexpr Matrix LinearSrgbToXyz{{
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
}};
constexpr Matrix XyzToLinearSrgb{{
    {12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667},
}};

// Bradford chromatic adaptation between D65 and D50, as CSS Color 4's conversions.js has it.
constexpr Matrix D65ToD50{{
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
}};
constexpr Matrix D50ToD65{{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};

// D50's white point in XYZ, from its chromaticity x = 0.3457, y = 0.3585 (CSS Color 4).
constexpr Triple D50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
// CIE's exact Lab constants: epsilon = (6/29)^3, kappa = (29/3)^3.
constexpr double Epsilon = 216.0 / 24389;
constexpr double Kappa = 24389.0 / 27;

// XYZ (D65) to OKLab's cone responses and those, cube-rooted, to OKLab; and back.  CSS
// Color 4's conversions.js, recomputed there for its D65 white and sRGB matrices.
constexpr Matrix XyzToLms{{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix LmsToOklab{{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757660831778},
}};
constexpr Matrix LmsToXyz{{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};
constexpr Matrix OklabToLms{{
    {1.0000000000000000, 0.3963377773761749, 0.2158037573099136},
    {1.0000000000000000, -0.1055613458156586, -0.0638541728258133},
    {1.0000000000000000, -0.0894841775298119, -1.2914855480194092},
}};

double labF(double t) {
    return t > Epsilon ? std::cbrt(t) : (Kappa * t + 16) / 116;
}

double labFInverse(double f) {
    const double cube = f * f * f;
    return cube > Epsilon ? cube : (116 * f - 16) / Kappa;
}

double cube(double value) {
    return value * value * value;
}

double normalHue(double degrees) {
    const double hue = std::fmod(degrees, 360.0);
    return hue < 0 ? hue + 360 : hue;
}

} // namespace

// CSS Color 4's sRGB transfer, extended to values beyond 0..1 with their sign.
double srgbToLinear(double value) {
    const double magnitude = std::abs(value);
    return magnitude <= 0.04045 ? value / 12.92
                                : std::copysign(std::pow((magnitude + 0.055) / 1.055, 2.4), value);
}

double linearToSrgb(double value) {
    const double magnitude = std::abs(value);
    return magnitude <= 0.0031308
               ? value * 12.92
               : std::copysign(1.055 * std::pow(magnitude, 1 / 2.4) - 0.055, value);
}

// CSS Color 4's hslToRgb().
Triple hslToSrgb(const Triple& hsl) {
    const double hue = normalHue(hsl[0]);
    const double saturation = hsl[1] / 100;
    const double lightness = hsl[2] / 100;
    const auto f = [&](double n) {
        const double k = std::fmod(n + hue / 30, 12.0);
        const double a = saturation * std::min(lightness, 1 - lightness);
        return lightness - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {f(0), f(8), f(4)};
}

// CSS Color 4's rgbToHsl(), hue 0 for a grey.
Triple srgbToHsl(const Triple& rgb) {
    const double high = std::max({rgb[0], rgb[1], rgb[2]});
    const double low = std::min({rgb[0], rgb[1], rgb[2]});
    const double spread = high - low;
    const double lightness = (high + low) / 2;
    double hue = 0;
    double saturation = 0;
    if (spread > 0) {
        saturation = lightness == 0 || lightness == 1
                         ? 0
                         : (high - lightness) / std::min(lightness, 1 - lightness);
        if (high == rgb[0]) {
            hue = (rgb[1] - rgb[2]) / spread + (rgb[1] < rgb[2] ? 6 : 0);
        } else if (high == rgb[1]) {
            hue = (rgb[2] - rgb[0]) / spread + 2;
        } else {
            hue = (rgb[0] - rgb[1]) / spread + 4;
        }
        hue *= 60;
    }
    return {normalHue(hue), saturation * 100, lightness * 100};
}

// CSS Color 4's hwbToRgb(): whiteness and blackness that reach 100% together give a grey.
Triple hwbToSrgb(const Triple& hwb) {
    const double white = hwb[1] / 100;
    const double black = hwb[2] / 100;
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return {grey, grey, grey};
    }
    Triple rgb = hslToSrgb({hwb[0], 100, 50});
    for (double& channel : rgb) {
        channel = channel * (1 - white - black) + white;
    }
    return rgb;
}

Triple srgbToHwb(const Triple& rgb) {
    const double high = std::max({rgb[0], rgb[1], rgb[2]});
    const double low = std::min({rgb[0], rgb[1], rgb[2]});
    return {srgbToHsl(rgb)[0], low * 100, (1 - high) * 100};
}

// sRGB -> linear -> XYZ (D65) -> Bradford to D50 -> Lab, as CSS Color 4's conversions.js.
Triple srgbToLab(const Triple& rgb) {
    const Triple xyz = times(D65ToD50, times(LinearSrgbToXyz, each(rgb, srgbToLinear)));
    const Triple f{labF(xyz[0] / D50White[0]), labF(xyz[1] / D50White[1]),
                   labF(xyz[2] / D50White[2])};
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

Triple labToSrgb(const Triple& lab) {
    const double f1 = (lab[0] + 16) / 116;
    const double f0 = lab[1] / 500 + f1;
    const double f2 = f1 - lab[2] / 200;
    const double y = lab[0] > Kappa * Epsilon ? cube(f1) : lab[0] / Kappa;
    const Triple xyz{labFInverse(f0) * D50White[0], y * D50White[1], labFInverse(f2) * D50White[2]};
    return each(times(XyzToLinearSrgb, times(D50ToD65, xyz)), linearToSrgb);
}

Triple srgbToOklab(const Triple& rgb) {
    const Triple lms = times(XyzToLms, times(LinearSrgbToXyz, each(rgb, srgbToLinear)));
    return times(LmsToOklab, each(lms, [](double v) { return std::cbrt(v); }));
}

Triple oklabToLinearSrgb(const Triple& oklab) {
    const Triple lms = each(times(OklabToLms, oklab), cube);
    return times(XyzToLinearSrgb, times(LmsToXyz, lms));
}

Triple oklabToSrgb(const Triple& oklab) {
    return each(oklabToLinearSrgb(oklab), linearToSrgb);
}

Triple polarToLab(const Triple& lch) {
    const double radians = lch[2] * std::numbers::pi / 180;
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

Triple labToPolar(const Triple& lab) {
    const double hue = std::atan2(lab[2], lab[1]) * 180 / std::numbers::pi;
    return {lab[0], std::hypot(lab[1], lab[2]), normalHue(hue)};
}

} // namespace ColourSpaces
