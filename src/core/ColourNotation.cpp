#include "ColourNotation.h"

#include "ColourMaths.h"

#include <QRegularExpression>

#include <cstdint>

namespace {

// The texts read as colours: either one group of six (or three) hexadecimal digits, or
// three groups of decimal channel values.
constexpr const char* ReadForms[] = {
    R"([#$]?([0-9a-f]{6}))",
    R"(#([0-9a-f]{3}))",
    R"(rgb\(\s*([0-9]{1,3})\s*,\s*([0-9]{1,3})\s*,\s*([0-9]{1,3})\s*\))",
    R"(rgb\(\s*([0-9]{1,3})\s+([0-9]{1,3})\s+([0-9]{1,3})\s*\))",
};

std::optional<Rgb> fromHexDigits(QStringView digits) {
    QString six;
    for (const QChar digit : digits) {
        six += digits.size() == 3 ? QString(2, digit) : QString(digit); // #RGB is #RRGGBB
    }
    const std::uint32_t value = six.toUInt(nullptr, 16);
    return Rgb(static_cast<int>(value >> 16), static_cast<int>((value >> 8) & 0xFFu),
               static_cast<int>(value & 0xFFu));
}

std::optional<Rgb> fromDecimalChannels(const QRegularExpressionMatch& match) {
    const int red = match.capturedView(1).toInt();
    const int green = match.capturedView(2).toInt();
    const int blue = match.capturedView(3).toInt();
    if (red > 255 || green > 255 || blue > 255) {
        return std::nullopt;
    }
    return Rgb(red, green, blue);
}

// p / q (q > 0) to the nearest whole number, a half upwards, as CSS rounds.
int roundCss(int p, int q) {
    return (2 * p + q) / (2 * q);
}

// hsl(h, s%, l%) from exact fractions, so that no floating-point error decides a half.
QString hslText(Rgb colour) {
    const int r = colour.red();
    const int g = colour.green();
    const int b = colour.blue();
    const int high = std::max({r, g, b});
    const int low = std::min({r, g, b});
    const int spread = high - low;
    const int lightness = roundCss(100 * (high + low), 2 * 255);
    int hue = 0;
    int saturation = 0;
    if (spread > 0) {
        // The lightness's distance from the nearer end, times 2 * 255.
        const int room = high + low <= 255 ? high + low : 2 * 255 - high - low;
        saturation = roundCss(100 * spread, room);
        // The hue as a fraction of 60 degrees over spread, in 0..360.
        int sixths = 0;
        if (high == r) {
            sixths = 60 * (g - b) + (g < b ? 360 * spread : 0);
        } else if (high == g) {
            sixths = 60 * (b - r) + 120 * spread;
        } else {
            sixths = 60 * (r - g) + 240 * spread;
        }
        hue = roundCss(sixths, spread) % 360;
    }
    return QStringLiteral("hsl(%1, %2%, %3%)").arg(hue).arg(saturation).arg(lightness);
}

} // namespace

QString colourInForm(Rgb colour, ColourForm form) {
    switch (form) {
    case ColourForm::Hash:
        return webColourText(colour);
    case ColourForm::Css:
        return QStringLiteral("rgb(%1, %2, %3)")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue());
    case ColourForm::Hsl:
        return hslText(colour);
    case ColourForm::Dollar:
        break;
    }
    return colourText(colour);
}

std::optional<Rgb> readColour(QStringView text) {
    const QString trimmed = text.trimmed().toString();
    for (const char* form : ReadForms) {
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(QLatin1String(form)),
                                         QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch match = pattern.match(trimmed);
        if (match.hasMatch()) {
            return match.lastCapturedIndex() == 1 ? fromHexDigits(match.capturedView(1))
                                                  : fromDecimalChannels(match);
        }
    }
    return std::nullopt;
}
