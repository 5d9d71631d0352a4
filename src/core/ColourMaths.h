#pragma once

#include "Rgb.h"

#include <QString>

#include <array>
#include <optional>

// Rounds each channel to the nearest multiple of 51, the web-safe palette.
Rgb webSafe(Rgb colour);

// "$" and the value as exactly two upper-case hexadecimal digits: $00 to $FF.
QString channelText(int value);
// The value of a channel text as typed: two hexadecimal digits of either case, the "$"
// optional.  Nothing for anything else, a single digit included.
std::optional<int> readChannelText(QStringView text);

// "$RRGGBB": the colour as six upper-case hexadecimal digits, red first.
QString colourText(Rgb colour);

// "#RRGGBB": the form other programs and the web paste.
QString webColourText(Rgb colour);

inline constexpr int GradientWidth = 128;

// The row drawn in one channel's gradient bar: that channel runs 0, 2, ... 254 while the
// other two keep the given colour's values.  The bar never shows 255.
std::array<Rgb, GradientWidth> gradientRow(Channel channel, Rgb colour);
