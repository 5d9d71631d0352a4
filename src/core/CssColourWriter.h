#pragma once

#include "CssFunctions.h"

#include <QString>

// `colour` written in a CSS function's form (one with components): "rgb(r, g, b)", "hsl(h, s%,
// l%)", "hwb(h w% b%)", "lab(L a b)", "lch(L C h)", "oklab(L a b)", "oklch(L C h)" or "color(srgb r
// g b)".  Each component has the fewest decimals with which the text reads back to `colour`
// exactly.
QString cssFunctionText(Rgb colour, ColourForm form);
