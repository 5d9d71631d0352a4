#pragma once

#include "ColourForms.h"

// The CSS colour functions' arithmetic, each form's three components in the units its text
// gives them (see its FormRow): rgb() 0..255, color(srgb) 0..1, hsl() and hwb() a hue in
// degrees and two percentages, lab() and lch() L 0..100, oklab() and oklch() L 0..1.

// The colour that `components` of `form` give on Tintor's eight-bit sRGB: each channel
// clipped to 0..1 (a colour beyond sRGB is clipped per channel, not gamut-mapped), then
// rounded to the nearest of 256 levels, a half upwards as CSS rounds.
Rgb cssColour(ColourForm form, const ColourSpaces::Triple& components);

// Whether `components` of `form` round to `colour` as they are, without clipping: each
// channel within half a step of it.  A text that only clipping brings to `colour` is another
// colour in a program that maps colours beyond sRGB into it, as browsers do.
bool cssRoundsTo(ColourForm form, const ColourSpaces::Triple& components, Rgb colour);

// `colour`'s exact components in `form`.  A grey's hue, which changes nothing, is whatever
// the arithmetic gives.
ColourSpaces::Triple cssComponents(ColourForm form, Rgb colour);
