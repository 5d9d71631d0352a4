#include "ColourForms.h"

#include "ColourMaths.h"
#include "CssTokens.h"

#include <algorithm>

using namespace ColourSpaces;

namespace {

using K = ComponentKind;

constexpr FormComponent Channel255(char letter) {
    return {letter, K::Channel, 255, false};
}
constexpr FormComponent HueDegrees{'h', K::Hue, 0, false};
constexpr FormComponent Percent(char letter, ComponentKind kind) {
    return {letter, kind, 100, true};
}

Triple same(const Triple& c) {
    return c;
}

// The percentages' references are CSS Color 4's, function by function.
constexpr FormRow Rows[] = {
    {.form = ColourForm::Hash, .name = "hex", .hexShape = "#RRGGBB", .hexText = webColourText},
    {.form = ColourForm::Rgb,
     .name = "rgb",
     .alias = "rgba",
     .commas = true,
     .components = {Channel255('r'), Channel255('g'), Channel255('b')},
     .toSrgb =
         [](const Triple& c) {
             return Triple{c[0] / 255, c[1] / 255, c[2] / 255};
         },
     .fromSrgb =
         [](const Triple& c) {
             return Triple{c[0] * 255, c[1] * 255, c[2] * 255};
         }},
    {.form = ColourForm::Hsl,
     .name = "hsl",
     .alias = "hsla",
     .commas = true,
     .components = {HueDegrees, Percent('s', K::Chroma), Percent('l', K::Lightness)},
     .toSrgb = hslToSrgb,
     .fromSrgb = srgbToHsl},
    {.form = ColourForm::Hwb,
     .name = "hwb",
     .components = {HueDegrees, Percent('w', K::Paired), Percent('b', K::Paired)},
     .toSrgb = hwbToSrgb,
     .fromSrgb = srgbToHwb},
    {.form = ColourForm::Lab,
     .name = "lab",
     .components = {{{'L', K::Lightness, 100, false},
                     {'a', K::Paired, 125, false},
                     {'b', K::Paired, 125, false}}},
     .toSrgb = labToSrgb,
     .fromSrgb = srgbToLab},
    {.form = ColourForm::Lch,
     .name = "lch",
     .components = {{{'L', K::Lightness, 100, false}, {'C', K::Chroma, 150, false}, HueDegrees}},
     .toSrgb = [](const Triple& c) { return labToSrgb(polarToLab(c)); },
     .fromSrgb = [](const Triple& c) { return labToPolar(srgbToLab(c)); }},
    {.form = ColourForm::Oklab,
     .name = "oklab",
     .components = {{{'L', K::Lightness, 1, false},
                     {'a', K::Paired, 0.4, false},
                     {'b', K::Paired, 0.4, false}}},
     .toSrgb = oklabToSrgb,
     .fromSrgb = srgbToOklab},
    {.form = ColourForm::Oklch,
     .name = "oklch",
     .components = {{{'L', K::Lightness, 1, false}, {'C', K::Chroma, 0.4, false}, HueDegrees}},
     .toSrgb = [](const Triple& c) { return oklabToSrgb(polarToLab(c)); },
     .fromSrgb = [](const Triple& c) { return labToPolar(srgbToOklab(c)); }},
    {.form = ColourForm::Dollar, .name = "dollar", .hexShape = "$RRGGBB", .hexText = colourText},
    {.form = ColourForm::Srgb,
     .name = "color",
     .space = "srgb",
     .offered = false,
     .components = {{{'r', K::Channel, 1, false},
                     {'g', K::Channel, 1, false},
                     {'b', K::Channel, 1, false}}},
     .toSrgb = same,
     .fromSrgb = same},
};

} // namespace

std::span<const FormRow> colourForms() {
    return Rows;
}

const FormRow& formRow(ColourForm form) {
    return *std::find_if(std::begin(Rows), std::end(Rows),
                         [form](const FormRow& row) { return row.form == form; });
}

QLatin1String formName(ColourForm form) {
    return QLatin1String(formRow(form).name);
}

std::optional<ColourForm> formNamed(QStringView name) {
    const auto row = std::find_if(std::begin(Rows), std::end(Rows), [name](const FormRow& r) {
        return r.offered && isCssName(name, QLatin1String(r.name));
    });
    return row != std::end(Rows) ? std::optional(row->form) : std::nullopt;
}

QString functionText(const FormRow& row, const std::array<QString, 3>& components) {
    QString text = QLatin1String(row.name) + QLatin1Char('(');
    if (row.space != nullptr) {
        text += QLatin1String(row.space) + QLatin1Char(' ');
    }
    for (std::size_t i = 0; i < components.size(); ++i) {
        text += (i > 0 ? QLatin1String(row.commas ? ", " : " ") : QLatin1String()) +
                components.at(i) +
                (row.components.at(i).percentWritten ? QLatin1String("%") : QLatin1String());
    }
    return text + QLatin1Char(')');
}

QString formShape(ColourForm form) {
    const FormRow& row = formRow(form);
    if (row.hexShape != nullptr) {
        return QLatin1String(row.hexShape);
    }
    std::array<QString, 3> letters;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        letters.at(i) = QLatin1Char(row.components.at(i).letter);
    }
    return functionText(row, letters);
}
