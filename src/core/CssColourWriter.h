#pragma once

#include "CssFunctions.h"

#include <QString>

// `colour` written as a CSS function: "rgb(r, g, b)", "hsl(h, s%, l%)", "hwb(h w% b%)",
// "lab(L a b)", "lch(L C h)", "oklab(L a b)", "oklch(L C h)" or "color(srgb r g b)".  Each
// component has the fewest decimals with which the text reads back to `colour` exactly.
QString cssFunctionText(Rgb colour, CssFunction function);
