#pragma once

#include "ColourForms.h"
#include "CssColourReader.h"
#include "Rgb.h"

#include <QString>
#include <QStringView>

#include <optional>

// `colour` written in `form`, with the fewest decimals with which the text rounds to the
// same colour.
QString colourInForm(Rgb colour, ColourForm form);

// The colour a text names: any CSS colour (see readCssColour), $RRGGBB or RRGGBB.  Nothing
// for any other text.
std::optional<Rgb> readColour(QStringView text);
