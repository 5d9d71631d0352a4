#include "ColourMaths.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

int webSafeChannel(int value) {
    // 51 is odd, so value / 51 is never exactly halfway: the tie rule never matters.
    return static_cast<int>(std::lround(value / 51.0)) * 51;
}

QString hexText(std::uint32_t value, int digits, QLatin1Char prefix = QLatin1Char('$')) {
    return prefix + QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

} // namespace

Rgb webSafe(Rgb colour) {
    return {webSafeChannel(colour.red()), webSafeChannel(colour.green()),
            webSafeChannel(colour.blue())};
}

QString channelText(int value) {
    return hexText(static_cast<std::uint32_t>(value) & 0xFFu, 2);
}

std::optional<int> readChannelText(QStringView text) {
    if (text.startsWith(QLatin1Char('$'))) {
        text = text.mid(1);
    }
    bool ok = false;
    // toInt() would also take a sign or white space; two digits are all a channel has.
    const bool digits = text.size() == 2 && std::all_of(text.begin(), text.end(), [](QChar c) {
                            return std::isxdigit(c.toLatin1()) != 0;
                        });
    const int value = digits ? text.toInt(&ok, 16) : 0;
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString colourText(Rgb colour) {
    return hexText(colour.hexValue(), 6);
}

QString webColourText(Rgb colour) {
    return hexText(colour.hexValue(), 6, QLatin1Char('#'));
}

std::array<Rgb, GradientWidth> gradientRow(Channel channel, Rgb colour) {
    std::array<Rgb, GradientWidth> row{};
    for (int x = 0; x < GradientWidth; ++x) {
        row[static_cast<std::size_t>(x)] = colour.withChannel(channel, 2 * x);
    }
    return row;
}
