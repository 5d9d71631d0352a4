#pragma once

#include "Rgb.h"

#include <QString>
#include <QStringView>

#include <optional>

// The forms in which Tintor writes a colour for other programs.
enum class ColourForm {
    Hash,   // #RRGGBB: CSS, image editors, most programs
    Dollar, // $RRGGBB: Tintor's own fields
    Css,    // rgb(r, g, b)
    Hsl,    // hsl(h, s%, l%), whole numbers
};

// `colour` written in `form`.
QString colourInForm(Rgb colour, ColourForm form);

// The colour a text names: #RRGGBB, $RRGGBB, RRGGBB, #RGB, rgb(r, g, b) or rgb(r g b), in
// either case, with white space around it.  Nothing for any other text.
std::optional<Rgb> readColour(QStringView text);
