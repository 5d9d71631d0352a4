#pragma once

#include <array>

// The colour spaces CSS names, each in the units its notation uses, to and from sRGB with
// channels from 0 to 1.  Every conversion that reads or writes a CSS colour goes through
// here, so that a written text reads back through the very same arithmetic.
namespace ColourSpaces {

using Triple = std::array<double, 3>;

// sRGB's transfer function and its inverse, per channel.
double srgbToLinear(double value);
double linearToSrgb(double value);

// hsl(): hue in degrees, saturation and lightness from 0 to 100.
Triple hslToSrgb(const Triple& hsl);
Triple srgbToHsl(const Triple& rgb);
// hwb(): hue in degrees, whiteness and blackness from 0 to 100.
Triple hwbToSrgb(const Triple& hwb);
Triple srgbToHwb(const Triple& rgb);

// lab(): CIE Lab with a D50 white, L from 0 to 100.
Triple labToSrgb(const Triple& lab);
Triple srgbToLab(const Triple& rgb);
// oklab(): L from 0 to 1.
Triple oklabToSrgb(const Triple& oklab);
Triple srgbToOklab(const Triple& rgb);
// The same before sRGB's transfer function: linear light.
Triple oklabToLinearSrgb(const Triple& oklab);

// lch() and oklch() from and to their Lab: L, chroma, hue in degrees.
Triple polarToLab(const Triple& lch);
Triple labToPolar(const Triple& lab);

} // namespace ColourSpaces
