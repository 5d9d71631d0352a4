#pragma once

#include "ColourRef.h"

#include <cstdint>
#include <span>

// How the screen under the pointer is sampled: 0 single pixel, 1..3 the mean of a 3x3,
// 5x5 or 7x7 block.  Any other value (only a stored one can produce it) samples nothing.
using SamplingMethod = std::uint8_t;

inline constexpr int MaxBlockSide = 7;

// 1, 3, 5 or 7 for methods 0..3; 0 for any other method.
constexpr int BlockSide(SamplingMethod method) {
    return method <= 3 ? 2 * method + 1 : 0;
}

// The truncating unsigned mean of each channel over a block read row by row.  The fourth
// byte of each value is ignored, so an off-screen read counts 255 in every channel.
ColourRef BlockMean(std::span<const ColourRef> block);

// A pixel value of a true-colour visual as a ColourRef, each channel read back as the X
// server reports it (scaled to 16 bits, truncated, then the high byte).
struct PixelMasks {
    unsigned long red;
    unsigned long green;
    unsigned long blue;
};
ColourRef ColourFromPixel(unsigned long pixel, const PixelMasks& masks);
