#include "ColourNotation.h"

#include "ColourMaths.h"
#include "CssColourWriter.h"
#include "CssTokens.h"

#include <algorithm>
#include <iterator>

namespace {

struct FormEntry {
    ColourForm form;
    const char* name;
    CssFunction function; // for the CSS functions' forms
};

constexpr FormEntry Forms[] = {
    {ColourForm::Hash, "hex", CssFunction::Rgb},
    {ColourForm::Dollar, "dollar", CssFunction::Rgb},
    {ColourForm::Css, "rgb", CssFunction::Rgb},
    {ColourForm::Hsl, "hsl", CssFunction::Hsl},
    {ColourForm::Hwb, "hwb", CssFunction::Hwb},
    {ColourForm::Lab, "lab", CssFunction::Lab},
    {ColourForm::Lch, "lch", CssFunction::Lch},
    {ColourForm::Oklab, "oklab", CssFunction::Oklab},
    {ColourForm::Oklch, "oklch", CssFunction::Oklch},
};

const FormEntry& entryOf(ColourForm form) {
    return *std::find_if(std::begin(Forms), std::end(Forms),
                         [form](const FormEntry& entry) { return entry.form == form; });
}

} // namespace

QString colourInForm(Rgb colour, ColourForm form) {
    switch (form) {
    case ColourForm::Hash:
        return webColourText(colour);
    case ColourForm::Dollar:
        return colourText(colour);
    default:
        return cssFunctionText(colour, entryOf(form).function);
    }
}

QLatin1String formName(ColourForm form) {
    return QLatin1String(entryOf(form).name);
}

std::optional<ColourForm> formNamed(QStringView name) {
    const auto entry = std::find_if(std::begin(Forms), std::end(Forms), [name](const FormEntry& e) {
        return isCssName(name, QLatin1String(e.name));
    });
    return entry != std::end(Forms) ? std::optional(entry->form) : std::nullopt;
}

std::optional<Rgb> readColour(QStringView text) {
    const std::optional<ReadColour> read = readCssColour(text);
    return read ? std::optional(read->colour) : std::nullopt;
}
