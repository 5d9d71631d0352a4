#pragma once

#include "ColourRef.h"

#include <array>
#include <string>

// Rounds each channel to the nearest multiple of 51, the web-safe palette.
ColourRef WebSafeColour(ColourRef colour);

// "$" and the value as exactly two upper-case hexadecimal digits: $00 to $FF.
std::string ChannelText(int value);

// "$" and the value as exactly six upper-case hexadecimal digits.
std::string ColourText(std::uint32_t value);

inline constexpr int GradientWidth = 128;

// The row drawn in one channel's gradient bar: that channel runs 0, 2, ... 254 while the
// other two keep the given colour's values.  The bar never shows 255.
std::array<ColourRef, GradientWidth> GradientRow(int channel, ColourRef colour);

// The nearest colour a true-colour visual with the given channel masks can show.
ColourRef NearestTrueColour(ColourRef colour, unsigned long redMask, unsigned long greenMask,
                            unsigned long blueMask);
