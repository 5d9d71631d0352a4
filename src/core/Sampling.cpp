#include "Sampling.h"

#include <bit>

ColourRef BlockMean(std::span<const ColourRef> block) {
    if (block.empty()) {
        return 0;
    }
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    for (const ColourRef p : block) {
        red += p & 0xFFu;
        green += (p >> 8) & 0xFFu;
        blue += (p >> 16) & 0xFFu;
    }
    const auto count = static_cast<std::uint32_t>(block.size());
    return RGB(static_cast<int>(red / count), static_cast<int>(green / count),
               static_cast<int>(blue / count));
}

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

} // namespace

ColourRef ColourFromPixel(unsigned long pixel, const PixelMasks& masks) {
    return RGB(channelOf(pixel, masks.red), channelOf(pixel, masks.green),
               channelOf(pixel, masks.blue));
}
