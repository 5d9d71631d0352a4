#include "Contrast.h"

#include "ColourSpaces.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <cmath>

namespace Contrast {

namespace {

using ColourSpaces::Triple;

// Far below a hundredth and far above the arithmetic's own error: 1.05 / 0.05 is computed
// as a hair under 21.
constexpr double Slack = 1e-9;

bool reaches(double ratio, double minimum) {
    return ratio + Slack >= minimum;
}

// sRGB's eight-bit levels in linear light, and the points halfway between them: each tick
// asks for many, and the transfer function is costly.
class EightBitLevels {
public:
    static const EightBitLevels& table() {
        static const EightBitLevels levels;
        return levels;
    }

    [[nodiscard]] double linear(int level) const {
        return m_linear.at(static_cast<std::size_t>(level));
    }
    // The level that linear light `value` rounds to in sRGB, clipped to 0..255.
    [[nodiscard]] int level(double value) const {
        return static_cast<int>(std::upper_bound(m_halfway.begin(), m_halfway.end(), value) -
                                m_halfway.begin());
    }

private:
    EightBitLevels() {
        for (std::size_t i = 0; i < m_linear.size(); ++i) {
            m_linear.at(i) = ColourSpaces::srgbToLinear(static_cast<double>(i) / 255);
        }
        for (std::size_t i = 0; i < m_halfway.size(); ++i) {
            m_halfway.at(i) = ColourSpaces::srgbToLinear((static_cast<double>(i) + 0.5) / 255);
        }
    }

    std::array<double, 256> m_linear{};
    std::array<double, 255> m_halfway{};
};

double channelLuminance(int value) {
    return EightBitLevels::table().linear(value);
}

// Whether linear light rounds into eight bits: within half a step of 0 and 1 in sRGB.
bool inGamut(const Triple& linear) {
    static const double top = ColourSpaces::srgbToLinear(1 + 0.5 / 255);
    constexpr double bottom = -0.5 / 255 / 12.92;
    return std::ranges::all_of(linear, [](double c) { return c >= bottom && c <= top; });
}

// The colours of one hue at every OKLab lightness: as much of the colour's chroma as sRGB
// shows there, found by halving (CSS Color 4's gamut mapping keeps lightness and hue).
class LightnessLine {
public:
    explicit LightnessLine(Rgb colour)
        : m_lab(ColourSpaces::srgbToOklab(
              {colour.red() / 255.0, colour.green() / 255.0, colour.blue() / 255.0})) {}

    [[nodiscard]] double lightness() const { return m_lab[0]; }

    [[nodiscard]] Rgb at(double lightness) const {
        Triple linear = linearAt(lightness, 1);
        if (!inGamut(linear)) {
            double low = 0;
            double high = 1;
            for (int i = 0; i < 14; ++i) {
                const double share = (low + high) / 2;
                (inGamut(linearAt(lightness, share)) ? low : high) = share;
            }
            linear = linearAt(lightness, low);
        }
        const EightBitLevels& levels = EightBitLevels::table();
        return {levels.level(linear[0]), levels.level(linear[1]), levels.level(linear[2])};
    }

private:
    // With `share` of the colour's chroma: a and b scaled alike keep its hue.
    [[nodiscard]] Triple linearAt(double lightness, double share) const {
        return ColourSpaces::oklabToLinearSrgb({lightness, m_lab[1] * share, m_lab[2] * share});
    }

    Triple m_lab;
};

// The least move from `from` towards `to` whose colour meets the ratio, or nothing when
// even `to` (white or black) does not.
std::optional<Rgb> leastStep(const LightnessLine& line, double from, double to, Rgb other,
                             double minimum) {
    const auto meetsAt = [&](double lightness) {
        return reaches(ratio(line.at(lightness), other), minimum);
    };
    if (!meetsAt(to)) {
        return std::nullopt;
    }
    // Far finer than a step of eight bits: the colours on either side of the last interval
    // are the last that fails and the first that meets.
    for (int i = 0; i < 16; ++i) {
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
    return reaches(ratio, threshold(criterion));
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
    if (reaches(ratio(colour, other), minimum)) {
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
