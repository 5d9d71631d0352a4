#include "CssFunctions.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

using namespace ColourSpaces;

namespace {

int eightBits(double channel) {
    return static_cast<int>(std::floor(std::clamp(channel, 0.0, 1.0) * 255 + 0.5));
}

// Far beyond any component that still changes an eight-bit colour, and small enough that
// no conversion overflows into infinities and NaNs.
constexpr double Largest = 1e6;

double limited(double value) {
    return std::clamp(value, -Largest, Largest);
}

// A hue in one turn; an infinite one has no place on the circle and reads as 0.
double finiteHue(double degrees) {
    return std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0;
}

// Two components that act together (a and b, whiteness and blackness), made small enough
// while keeping their ratio.
std::pair<double, double> limitedPair(double a, double b) {
    a = std::clamp(a, -DBL_MAX, DBL_MAX);
    b = std::clamp(b, -DBL_MAX, DBL_MAX);
    const double scale = Largest / std::max({std::abs(a), std::abs(b), Largest});
    return {a * scale, b * scale};
}

// CSS clamps some components when it reads them; the rest are clipped after conversion.
// Huge and infinite ones, which CSS allows, are brought within reach of the arithmetic.
Triple clamped(const FormRow& row, Triple c) {
    for (std::size_t i = 0; i < c.size(); ++i) {
        const FormComponent& component = row.components.at(i);
        switch (component.kind) {
        case ComponentKind::Channel:
            c.at(i) = limited(c.at(i));
            break;
        case ComponentKind::Lightness:
            c.at(i) = std::clamp(c.at(i), 0.0, component.hundredPercent);
            break;
        case ComponentKind::Chroma:
            c.at(i) = limited(std::max(c.at(i), 0.0));
            break;
        case ComponentKind::Paired:
            std::tie(c.at(i), c.at(i + 1)) = limitedPair(c.at(i), c.at(i + 1));
            ++i;
            break;
        case ComponentKind::Hue:
            c.at(i) = finiteHue(c.at(i));
            break;
        }
    }
    return c;
}

Triple srgbOf(ColourForm form, const Triple& components) {
    const FormRow& row = formRow(form);
    return row.toSrgb(clamped(row, components));
}

} // namespace

Rgb cssColour(ColourForm form, const Triple& components) {
    const Triple rgb = srgbOf(form, components);
    return {eightBits(rgb[0]), eightBits(rgb[1]), eightBits(rgb[2])};
}

bool cssRoundsTo(ColourForm form, const Triple& components, Rgb colour) {
    const Triple rgb = srgbOf(form, components);
    for (const Channel channel : AllChannels) {
        const double level = rgb.at(static_cast<std::size_t>(channel)) * 255;
        if (!(std::floor(level + 0.5) == colour.channel(channel))) { // NaN rounds to nothing
            return false;
        }
    }
    return true;
}

Triple cssComponents(ColourForm form, Rgb colour) {
    return formRow(form).fromSrgb(
        {colour.red() / 255.0, colour.green() / 255.0, colour.blue() / 255.0});
}
