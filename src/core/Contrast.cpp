#include "Contrast.h"

#include "ColourSpaces.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace Contrast {

namespace {

using ColourSpaces::Triple;

// Far below a hundredth and far above the arithmetic's own error: 1.05 / 0.05 is computed
// as a hair under 21.
constexpr double Slack = 1e-9;

double channelLuminance(int value) {
    return ColourSpaces::srgbToLinear(value / 255.0);
}

int eightBits(double channel) {
    return static_cast<int>(std::lround(std::clamp(channel, 0.0, 1.0) * 255.0));
}

bool inGamut(const Triple& rgb) {
    // Within half a step of 0..1 still rounds into it.
    constexpr double Half = 0.5 / 255;
    return std::ranges::all_of(rgb, [](double c) { return c >= -Half && c <= 1 + Half; });
}

// One lightness on the colour's line: its hue, and as much of its chroma as sRGB shows
// there, found by halving (CSS Color 4's gamut mapping keeps lightness and hue).
class LightnessLine {
public:
    explicit LightnessLine(Rgb colour)
        : m_lch(ColourSpaces::labToPolar(ColourSpaces::srgbToOklab(
              {colour.red() / 255.0, colour.green() / 255.0, colour.blue() / 255.0}))) {}

    [[nodiscard]] double lightness() const { return m_lch[0]; }

    [[nodiscard]] Rgb at(double lightness) const {
        Triple rgb = srgbAt(lightness, m_lch[1]);
        if (!inGamut(rgb)) {
            double low = 0;
            double high = m_lch[1];
            for (int i = 0; i < 14; ++i) {
                const double chroma = (low + high) / 2;
                (inGamut(srgbAt(lightness, chroma)) ? low : high) = chroma;
            }
            rgb = srgbAt(lightness, low);
        }
        return {eightBits(rgb[0]), eightBits(rgb[1]), eightBits(rgb[2])};
    }

private:
    [[nodiscard]] Triple srgbAt(double lightness, double chroma) const {
        return ColourSpaces::oklabToSrgb(ColourSpaces::polarToLab({lightness, chroma, m_lch[2]}));
    }

    Triple m_lch;
};

// The least move from `from` towards `to` whose colour meets the ratio, or nothing when
// even `to` (white or black) does not.
std::optional<Rgb> leastStep(const LightnessLine& line, double from, double to, Rgb other,
                             double minimum) {
    const auto meetsAt = [&](double lightness) {
        return ratio(line.at(lightness), other) + Slack >= minimum;
    };
    if (!meetsAt(to)) {
        return std::nullopt;
    }
    // Far finer than a step of eight bits: the colours on either side of the last interval
    // are the last that fails and the first that meets.
    for (int i = 0; i < 24; ++i) {
        const double middle = (from + to) / 2;
        (meetsAt(middle) ? to : from) = middle;
    }
    return line.at(to);
}

} // namespace

double relativeLuminance(Rgb colour) {
    return 0.2126 * channelLuminance(colour.red()) + 0.7152 * channelLuminance(colour.green()) +
           0.0722 * channelLuminance(colour.blue());
}

double ratio(Rgb first, Rgb second) {
    const double one = relativeLuminance(first);
    const double two = relativeLuminance(second);
    return (std::max(one, two) + 0.05) / (std::min(one, two) + 0.05);
}

int hundredths(double ratio) {
    return static_cast<int>(std::floor(ratio * 100 + Slack));
}

QString ratioText(double ratio) {
    const int value = hundredths(ratio);
    return QStringLiteral("%1.%2").arg(value / 100).arg(value % 100, 2, 10, QLatin1Char('0'));
}

double threshold(Criterion criterion) {
    switch (criterion) {
    case Criterion::AaNormalText:
    case Criterion::AaaLargeText:
        return 4.5;
    case Criterion::AaLargeText:
    case Criterion::Graphics:
        return 3;
    case Criterion::AaaNormalText:
        return 7;
    }
    return 21;
}

bool meets(double ratio, Criterion criterion) {
    return ratio + Slack >= threshold(criterion);
}

const char* criterionName(Criterion criterion) {
    switch (criterion) {
    case Criterion::AaNormalText:
        return QT_TRANSLATE_NOOP("Contrast", "AA normal text");
    case Criterion::AaLargeText:
        return QT_TRANSLATE_NOOP("Contrast", "AA large text");
    case Criterion::AaaNormalText:
        return QT_TRANSLATE_NOOP("Contrast", "AAA normal text");
    case Criterion::AaaLargeText:
        return QT_TRANSLATE_NOOP("Contrast", "AAA large text");
    case Criterion::Graphics:
        return QT_TRANSLATE_NOOP("Contrast", "UI and graphics");
    }
    return "";
}

QString thresholdText(Criterion criterion) {
    return QString::number(threshold(criterion)) + QStringLiteral(":1");
}

Suggestions nearestMeeting(Rgb colour, Rgb other, double minimum) {
    if (ratio(colour, other) + Slack >= minimum) {
        return {};
    }
    const LightnessLine line(colour);
    return {leastStep(line, line.lightness(), 1, other, minimum),
            leastStep(line, line.lightness(), 0, other, minimum)};
}

Rgb withLightness(Rgb colour, double lightness) {
    return LightnessLine(colour).at(lightness);
}

} // namespace Contrast
