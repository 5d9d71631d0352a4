#pragma once

#include "Rgb.h"

#include <QLatin1String>
#include <QStringView>

#include <optional>

// CSS's 148 named colours ("tomato", "rebeccapurple", the grey/gray pairs...).
namespace NamedColours {

// The colour a name stands for, in any case.  Nothing for any other text.
std::optional<Rgb> find(QStringView name);

// The named colour nearest `colour` by distance in OKLab, the first in alphabetical order of
// those as near; `exact` when it is the colour itself.
struct Nearest {
    QLatin1String name;
    bool exact;
};
Nearest nearest(Rgb colour);

} // namespace NamedColours
