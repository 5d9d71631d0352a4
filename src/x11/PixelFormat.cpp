#include "PixelFormat.h"

#include <bit>

namespace {

int channelOf(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    const unsigned long level = (pixel & mask) >> shift;
    if (top == 0xFF) {
        return static_cast<int>(level);
    }
    return static_cast<int>((level * 65535 / top) >> 8);
}

// Rounds an 8-bit channel to the nearest level a mask can hold, and reads that level back
// as the X server reports it.
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

Rgb colourFromPixel(unsigned long pixel, const PixelMasks& masks) {
    return {channelOf(pixel, masks.red), channelOf(pixel, masks.green),
            channelOf(pixel, masks.blue)};
}

Rgb nearestTrueColour(Rgb colour, const PixelMasks& masks) {
    return {nearestOnMask(colour.red(), masks.red), nearestOnMask(colour.green(), masks.green),
            nearestOnMask(colour.blue(), masks.blue)};
}
