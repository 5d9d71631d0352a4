#pragma once

#include "Rgb.h"

#include <cstdint>
#include <optional>
#include <span>

// A point of the screen as read: its colour, or nothing for a point off the screen.
using ScreenPixel = std::optional<Rgb>;

// How the screen under the pointer is sampled.  A stored value may hold any byte: values
// past Mean7x7 sample nothing.
enum class SamplingMethod : std::uint8_t { SinglePixel = 0, Mean3x3 = 1, Mean5x5 = 2, Mean7x7 = 3 };

inline constexpr int MaxBlockSide = 7;

// 1, 3, 5 or 7 for the four methods; 0 for any other value.
constexpr int blockSide(SamplingMethod method) {
    const auto value = static_cast<int>(method);
    return value <= 3 ? 2 * value + 1 : 0;
}

// The truncating mean of each channel over a block read row by row; a single pixel is the
// mean of one.  A point off the screen counts 255 in every channel.
Rgb blockMean(std::span<const ScreenPixel> block);

// What a point counts as in a mean, and shows as in the magnifier: its colour, or white off
// the screen.
constexpr Rgb shownColour(const ScreenPixel& pixel) {
    return pixel.value_or(Rgb(255, 255, 255));
}
