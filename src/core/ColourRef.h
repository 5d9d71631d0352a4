#pragma once

#include <cstdint>

// A colour as the screen reads and draws it: 0x00BBGGRR, red in the low byte.
using ColourRef = std::uint32_t;

// What a read off the screen yields; its channel bytes all read 255.
inline constexpr ColourRef CLR_INVALID = 0xFFFFFFFFu;

// Packing keeps only the low 8 bits of each channel value.
constexpr ColourRef RGB(int red, int green, int blue) {
    return (static_cast<ColourRef>(red) & 0xFFu) | ((static_cast<ColourRef>(green) & 0xFFu) << 8) |
           ((static_cast<ColourRef>(blue) & 0xFFu) << 16);
}

constexpr int GetRValue(ColourRef c) {
    return static_cast<int>(c & 0xFFu);
}
constexpr int GetGValue(ColourRef c) {
    return static_cast<int>((c >> 8) & 0xFFu);
}
constexpr int GetBValue(ColourRef c) {
    return static_cast<int>((c >> 16) & 0xFFu);
}

// The same channels packed the other way round, so that the hexadecimal form reads
// red, green, blue from left to right.  Never drawn.
constexpr std::uint32_t HtmlOrder(int red, int green, int blue) {
    return RGB(blue, green, red);
}

// Channel 1, 2 or 3 (red, green, blue) of a colour; the slider and gradient-bar numbering.
constexpr int ChannelValue(ColourRef c, int channel) {
    return static_cast<int>((c >> (8 * (channel - 1))) & 0xFFu);
}
