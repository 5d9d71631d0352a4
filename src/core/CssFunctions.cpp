#include "CssFunctions.h"

#include <algorithm>
#include <cmath>

using namespace ColourSpaces;

namespace {

int eightBits(double channel) {
    return static_cast<int>(std::floor(std::clamp(channel, 0.0, 1.0) * 255 + 0.5));
}

// CSS clamps these components when it reads them; the rest are clipped after conversion.
Triple clamped(CssFunction function, Triple c) {
    switch (function) {
    case CssFunction::Hsl:
        return {c[0], std::max(c[1], 0.0), std::clamp(c[2], 0.0, 100.0)};
    case CssFunction::Lab:
        return {std::clamp(c[0], 0.0, 100.0), c[1], c[2]};
    case CssFunction::Lch:
        return {std::clamp(c[0], 0.0, 100.0), std::max(c[1], 0.0), c[2]};
    case CssFunction::Oklab:
        return {std::clamp(c[0], 0.0, 1.0), c[1], c[2]};
    case CssFunction::Oklch:
        return {std::clamp(c[0], 0.0, 1.0), std::max(c[1], 0.0), c[2]};
    default:
        return c;
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
