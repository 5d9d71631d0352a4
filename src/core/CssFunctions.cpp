#include "CssFunctions.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

using namespace ColourSpaces;

namespace {

int eightBits(double channel) {
    return static_cast<int>(std::floor(std::clamp(channel, 0.0, 1.0) * 255 + 0.5));
}

// Far beyond any component that still changes an eight-bit colour, and small enough that
// no conversion overflows into infinities and NaNs.
constexpr double Largest = 1e6;

double limited(double value) {
    return std::clamp(value, -Largest, Largest);
}

// A hue in one turn; an infinite one has no place on the circle and reads as 0.
double finiteHue(double degrees) {
    return std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0;
}

// Two components that act together (a and b, whiteness and blackness), made small enough
// while keeping their ratio.
std::pair<double, double> limitedPair(double a, double b) {
    a = std::clamp(a, -DBL_MAX, DBL_MAX);
    b = std::clamp(b, -DBL_MAX, DBL_MAX);
    const double scale = Largest / std::max({std::abs(a), std::abs(b), Largest});
    return {a * scale, b * scale};
}

// CSS clamps these components when it reads them; the rest are clipped after conversion.
// Huge and infinite ones, which CSS allows, are brought within reach of the arithmetic.
Triple clamped(CssFunction function, Triple c) {
    switch (function) {
    case CssFunction::Hsl:
        return {finiteHue(c[0]), limited(std::max(c[1], 0.0)), std::clamp(c[2], 0.0, 100.0)};
    case CssFunction::Hwb: {
        const auto [white, black] = limitedPair(c[1], c[2]);
        return {finiteHue(c[0]), white, black};
    }
    case CssFunction::Lab:
    case CssFunction::Oklab: {
        const double most = function == CssFunction::Lab ? 100 : 1;
        const auto [a, b] = limitedPair(c[1], c[2]);
        return {std::clamp(c[0], 0.0, most), a, b};
    }
    case CssFunction::Lch:
    case CssFunction::Oklch: {
        const double most = function == CssFunction::Lch ? 100 : 1;
        return {std::clamp(c[0], 0.0, most), limited(std::max(c[1], 0.0)), finiteHue(c[2])};
    }
    default:
        return {limited(c[0]), limited(c[1]), limited(c[2])};
    }
}

Triple srgbOf(CssFunction function, const Triple& c) {
    switch (function) {
    case CssFunction::Rgb:
        return {c[0] / 255, c[1] / 255, c[2] / 255};
    case CssFunction::Srgb:
        return c;
    case CssFunction::Hsl:
        return hslToSrgb(c);
    case CssFunction::Hwb:
        return hwbToSrgb(c);
    case CssFunction::Lab:
        return labToSrgb(c);
    case CssFunction::Lch:
        return labToSrgb(polarToLab(c));
    case CssFunction::Oklab:
        return oklabToSrgb(c);
    case CssFunction::Oklch:
        return oklabToSrgb(polarToLab(c));
    }
    return c;
}

} // namespace

Rgb cssColour(CssFunction function, const Triple& components) {
    const Triple rgb = srgbOf(function, clamped(function, components));
    return {eightBits(rgb[0]), eightBits(rgb[1]), eightBits(rgb[2])};
}

bool cssRoundsTo(CssFunction function, const Triple& components, Rgb colour) {
    const Triple rgb = srgbOf(function, clamped(function, components));
    for (const Channel channel : AllChannels) {
        const double level = rgb.at(static_cast<std::size_t>(channel)) * 255;
        if (!(std::floor(level + 0.5) == colour.channel(channel))) { // NaN rounds to nothing
            return false;
        }
    }
    return true;
}

Triple cssComponents(CssFunction function, Rgb colour) {
    const Triple rgb{colour.red() / 255.0, colour.green() / 255.0, colour.blue() / 255.0};
    switch (function) {
    case CssFunction::Rgb:
        return {double(colour.red()), double(colour.green()), double(colour.blue())};
    case CssFunction::Srgb:
        return rgb;
    case CssFunction::Hsl:
        return srgbToHsl(rgb);
    case CssFunction::Hwb:
        return srgbToHwb(rgb);
    case CssFunction::Lab:
        return srgbToLab(rgb);
    case CssFunction::Lch:
        return labToPolar(srgbToLab(rgb));
    case CssFunction::Oklab:
        return srgbToOklab(rgb);
    case CssFunction::Oklch:
        return labToPolar(srgbToOklab(rgb));
    }
    return rgb;
}
