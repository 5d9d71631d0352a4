#include "ColourMaths.h"

#include <bit>
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

// Rounds an 8-bit channel to the nearest level a mask can hold, and reads that level back
// as the X server reports it (scaled to 16 bits, truncated, then the high byte).
int nearestOnMask(int value, unsigned long mask) {
    const int bits = std::popcount(mask);
    if (bits == 0 || bits >= 8) {
        return value;
    }
    const int top = (1 << bits) - 1;
    const int candidates[2] = {value * top / 255, value * top / 255 + 1};
    int best = value;
    int bestDistance = 256;
    for (const int level : candidates) {
        if (level > top) {
            continue;
        }
        const int shown = (level * 65535 / top) >> 8;
        const int distance = shown > value ? shown - value : value - shown;
        if (distance < bestDistance) {
            best = shown;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

ColourRef WebSafeColour(ColourRef colour) {
    return RGB(webSafeChannel(GetRValue(colour)), webSafeChannel(GetGValue(colour)),
               webSafeChannel(GetBValue(colour)));
}

std::string ChannelText(int value) {
    return hexText(static_cast<std::uint32_t>(value) & 0xFFu, 2);
}

std::string ColourText(std::uint32_t value) {
    return hexText(value & 0xFFFFFFu, 6);
}

std::array<ColourRef, GradientWidth> GradientRow(int channel, ColourRef colour) {
    std::array<ColourRef, GradientWidth> row{};
    const int shift = 8 * (channel - 1);
    const ColourRef others = colour & ~(0xFFu << shift);
    for (int x = 0; x < GradientWidth; ++x) {
        row[static_cast<std::size_t>(x)] = others | (static_cast<ColourRef>(2 * x) << shift);
    }
    return row;
}

ColourRef NearestTrueColour(ColourRef colour, unsigned long redMask, unsigned long greenMask,
                            unsigned long blueMask) {
    return RGB(nearestOnMask(GetRValue(colour), redMask),
               nearestOnMask(GetGValue(colour), greenMask),
               nearestOnMask(GetBValue(colour), blueMask));
}
