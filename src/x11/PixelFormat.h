#pragma once

#include "Rgb.h"

// The channel masks of a true-colour visual.
struct PixelMasks {
    unsigned long red;
    unsigned long green;
    unsigned long blue;
};

// A pixel value of a true-colour visual, each channel read back as the X server reports
// it (scaled to 16 bits, truncated, then the high byte).
Rgb colourFromPixel(unsigned long pixel, const PixelMasks& masks);

// The nearest colour a true-colour visual with these masks can show, read back the same way.
Rgb nearestTrueColour(Rgb colour, const PixelMasks& masks);
