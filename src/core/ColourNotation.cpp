#include "ColourNotation.h"

#include "CssColourWriter.h"

QString colourInForm(Rgb colour, ColourForm form) {
    const FormRow& row = formRow(form);
    return row.hexText != nullptr ? row.hexText(colour) : cssFunctionText(colour, form);
}

std::optional<Rgb> readColour(QStringView text) {
    const std::optional<ReadColour> read = readCssColour(text);
    return read ? std::optional(read->colour) : std::nullopt;
}
