#include "ColourMaths.h"

#include <cmath>
#include <cstdio>

namespace {

int webSafeChannel(int value) {
    // 51 is odd, so value / 51 is never exactly halfway: the tie rule never matters.
    return static_cast<int>(std::lround(value / 51.0)) * 51;
}

std::string hexText(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "$%0*X", digits, static_cast<unsigned>(value));
    return text;
}

} // namespace

Rgb webSafe(Rgb colour) {
    return {webSafeChannel(colour.red()), webSafeChannel(colour.green()),
            webSafeChannel(colour.blue())};
}

std::string channelText(int value) {
    return hexText(static_cast<std::uint32_t>(value) & 0xFFu, 2);
}

std::string colourText(Rgb colour) {
    return hexText(colour.hexValue(), 6);
}

std::array<Rgb, GradientWidth> gradientRow(Channel channel, Rgb colour) {
    std::array<Rgb, GradientWidth> row{};
    for (int x = 0; x < GradientWidth; ++x) {
        row[static_cast<std::size_t>(x)] = colour.withChannel(channel, 2 * x);
    }
    return row;
}
