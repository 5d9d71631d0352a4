#pragma once

#include "ColourSpaces.h"
#include "Rgb.h"

#include <QLatin1String>
#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <span>

// The forms in which Tintor reads and writes a colour as text.
enum class ColourForm { Hash, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Dollar, Srgb };

// What a CSS function's component is, which decides how a huge or out-of-range value is
// brought within reach (CSS clamps some components when it reads them, the rest are clipped
// after conversion).
enum class ComponentKind {
    Channel,   // any number
    Lightness, // clamped to 0 .. 100%
    Chroma,    // clamped to 0 and above
    Paired,    // with the next component (a and b, whiteness and blackness): kept in ratio
    Hue,       // a number of degrees or an angle, one turn
};

struct FormComponent {
    char letter; // how --help names it
    ComponentKind kind;
    double hundredPercent; // what 100% is in the component's units
    bool percentWritten;   // written with a % (and, with commas, read only so)
};

// Everything Tintor knows of one form; the reader, the writer, "Copy as", --format and
// --help all read this one row.
struct FormRow {
    ColourForm form;
    const char* name;                  // on the command line, and the CSS function's name
    const char* alias = nullptr;       // another function name read the same
    const char* space = nullptr;       // the colour space named first within the function
    const char* hexShape = nullptr;    // the hexadecimal forms' shape; they have no components
    QString (*hexText)(Rgb) = nullptr; // and their writer
    bool offered = true;               // in "Copy as" and --format
    bool commas = false;               // the legacy syntax with commas is read too, and written
    std::array<FormComponent, 3> components{};
    ColourSpaces::Triple (*toSrgb)(const ColourSpaces::Triple&) = nullptr;
    ColourSpaces::Triple (*fromSrgb)(const ColourSpaces::Triple&) = nullptr;
};

// Every form, the offered ones first in the order menus and --help show them.
std::span<const FormRow> colourForms();
const FormRow& formRow(ColourForm form);

// The form's name on the command line ("hex", "rgb", "hsl"...), and back in any ASCII case.
QLatin1String formName(ColourForm form);
std::optional<ColourForm> formNamed(QStringView name);
// A function's text with these components, each with its % where the form writes one.
QString functionText(const FormRow& row, const std::array<QString, 3>& components);
// How the form reads: "#RRGGBB", "rgb(r, g, b)", "hwb(h w% b%)"...
QString formShape(ColourForm form);
