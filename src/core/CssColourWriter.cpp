#include "CssColourWriter.h"

#include <array>
#include <cmath>

namespace {

// Enough for any eight-bit colour in any of the functions; more never helps.
constexpr int MaxDecimals = 9;

constexpr std::array<double, MaxDecimals + 1> PowersOfTen{1,   1e1, 1e2, 1e3, 1e4,
                                                          1e5, 1e6, 1e7, 1e8, 1e9};

// A component with `decimals` decimals: n / 10^decimals, which is also exactly the double
// that reading its text gives, since both are the correctly rounded quotient.
struct Rounded {
    double scaled; // n, a whole number
    int decimals;
    [[nodiscard]] double value() const { return scaled / PowersOfTen.at(decimals); }
};

Rounded rounded(double value, int decimals) {
    double scaled = std::round(value * PowersOfTen.at(decimals));
    return {scaled == 0 ? 0.0 : scaled, decimals}; // never "-0"
}

QString text(const Rounded& component) {
    const bool negative = component.scaled < 0;
    QString digits = QString::number(std::abs(component.scaled), 'f', 0);
    if (component.decimals > 0) {
        digits = digits.rightJustified(component.decimals + 1, QLatin1Char('0'));
        digits.insert(digits.size() - component.decimals, QLatin1Char('.'));
    }
    return negative ? QLatin1Char('-') + digits : digits;
}

// Gives component `i` the fewest decimals with which `readsBack` still holds (a hue may
// become 0); whether it lost any.
template <typename Check>
bool trimOne(std::array<Rounded, 3>& components, std::size_t i, bool hue, double exact,
             const Check& readsBack) {
    const Rounded kept = components.at(i);
    for (int fewer = hue ? -1 : 0; fewer < kept.decimals; ++fewer) {
        const Rounded candidate = fewer < 0 ? Rounded{0, 0} : rounded(exact, fewer);
        if (candidate.scaled == kept.scaled && candidate.decimals == kept.decimals) {
            continue; // a hue of 0 already
        }
        components.at(i) = candidate;
        if (readsBack()) {
            return true;
        }
    }
    components.at(i) = kept;
    return false;
}

// The fewest decimals per component with which the text stands for `colour`, rounding to it
// without clipping: the least number that does for all three, then each component with as
// few as still do, again until none can lose one more (trimming one may let another go).  A
// hue that changes nothing (a grey's) is 0.
std::array<Rounded, 3> fewestDecimals(Rgb colour, const FormRow& row) {
    const ColourSpaces::Triple exact = cssComponents(row.form, colour);
    std::array<Rounded, 3> components{};
    const auto readsBack = [&] {
        return cssRoundsTo(row.form,
                           {components[0].value(), components[1].value(), components[2].value()},
                           colour);
    };
    int decimals = 0;
    for (; decimals < MaxDecimals; ++decimals) {
        for (std::size_t i = 0; i < 3; ++i) {
            components.at(i) = rounded(exact.at(i), decimals);
        }
        if (readsBack()) {
            break;
        }
    }
    for (bool trimmed = true; trimmed;) {
        trimmed = false;
        for (std::size_t i = 0; i < 3; ++i) {
            const bool hue = row.components.at(i).kind == ComponentKind::Hue;
            trimmed = trimOne(components, i, hue, exact.at(i), readsBack) || trimmed;
        }
    }
    return components;
}

} // namespace

QString cssFunctionText(Rgb colour, ColourForm form) {
    const FormRow& row = formRow(form);
    const std::array<Rounded, 3> components = fewestDecimals(colour, row);
    std::array<QString, 3> texts;
    for (std::size_t i = 0; i < 3; ++i) {
        Rounded component = components.at(i);
        if (row.components.at(i).kind == ComponentKind::Hue && component.value() >= 360) {
            component.scaled -= 360 * PowersOfTen.at(component.decimals); // 360 is 0
        }
        texts.at(i) = text(component);
    }
    return functionText(row, texts);
}
