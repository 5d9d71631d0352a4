#include "MessageMetrics.h"

#include <algorithm>

int pointSizeFromPixels(int pixelSize) {
    // Whole-number arithmetic, rounding half away from zero as the layout's tools do.
    return (pixelSize * 72 + 48) / 96;
}

int messageMemoHeight(int lines, int pointSize) {
    // round(p x 1.6) in whole numbers; p x 16 is even, so no value falls on a half.
    const int lineHeight = (pointSize * 16 + 5) / 10;
    return (std::max(lines, 0) + 1) * lineHeight;
}

int messageWindowHeight(int memoHeight) {
    return memoHeight + 50;
}
