#pragma once

#include "CssColourReader.h"
#include "Rgb.h"

#include <QString>
#include <QStringView>

#include <optional>

// The forms in which Tintor writes a colour for other programs.
enum class ColourForm {
    Hash,   // #RRGGBB: CSS, image editors, most programs
    Dollar, // $RRGGBB: Tintor's own fields
    Css,    // rgb(r, g, b)
    Hsl,    // hsl(h, s%, l%)
    Hwb,    // hwb(h w% b%)
    Lab,    // lab(L a b)
    Lch,    // lch(L C h)
    Oklab,  // oklab(L a b)
    Oklch,  // oklch(L C h)
};

inline constexpr ColourForm AllColourForms[]{
    ColourForm::Hash, ColourForm::Css,   ColourForm::Hsl,   ColourForm::Hwb,   ColourForm::Lab,
    ColourForm::Lch,  ColourForm::Oklab, ColourForm::Oklch, ColourForm::Dollar};

// `colour` written in `form`, with the fewest decimals that read back to the same colour.
QString colourInForm(Rgb colour, ColourForm form);

// The form's name on the command line ("hex", "rgb", "hsl", "hwb", "lab"...), and back in any
// ASCII case.
QLatin1String formName(ColourForm form);
std::optional<ColourForm> formNamed(QStringView name);

// The colour a text names: any CSS colour (see readCssColour), $RRGGBB or RRGGBB.  Nothing
// for any other text.
std::optional<Rgb> readColour(QStringView text);
