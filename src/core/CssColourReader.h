#pragma once

#include "ColourForms.h"

#include <QStringView>

#include <optional>

// A colour read from a text, and whether the text gave it a transparency Tintor dropped.
struct ReadColour {
    Rgb colour;
    bool alphaDropped = false;
};

// The colour that a CSS Color 4 text names: #RGB, #RGBA, #RRGGBB, #RRGGBBAA; rgb(), rgba(),
// hsl(), hsla() in the comma or the space syntax; hwb(), lab(), lch(), oklab(), oklch(),
// color(srgb ...); the named colours; components `none`; any case, white space around.
// Tintor's own $RRGGBB and a bare RRGGBB too.  Nothing for any other text.
std::optional<ReadColour> readCssColour(QStringView text);

// A CSS colour function's text as it stands: its form, its components in the form's units
// before any clamping or clipping, and its alpha (0 to 1).  Nothing for any other text.
struct CssFunctionText {
    ColourForm form;
    ColourSpaces::Triple components;
    double alpha;
};
std::optional<CssFunctionText> readCssFunction(QStringView text);
