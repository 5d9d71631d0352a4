#pragma once

#include "Rgb.h"

#include <cstdint>
#include <span>

// How the screen under the pointer is sampled.  A stored value may hold any byte: values
// past Mean7x7 sample nothing.
enum class SamplingMethod : std::uint8_t { SinglePixel = 0, Mean3x3 = 1, Mean5x5 = 2, Mean7x7 = 3 };

inline constexpr int MaxBlockSide = 7;

// 1, 3, 5 or 7 for the four methods; 0 for any other value.
constexpr int blockSide(SamplingMethod method) {
    const auto value = static_cast<int>(method);
    return value <= 3 ? 2 * value + 1 : 0;
}

// The truncating mean of each channel over a block read row by row.  An off-screen pixel
// counts 255 in every channel.
Rgb blockMean(std::span<const Rgb> block);
