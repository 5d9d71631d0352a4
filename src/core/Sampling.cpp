#include "Sampling.h"

Rgb blockMean(std::span<const ScreenPixel> block) {
    if (block.empty()) {
        return {};
    }
    unsigned red = 0;
    unsigned green = 0;
    unsigned blue = 0;
    for (const ScreenPixel& point : block) {
        const Rgb p = shownColour(point);
        red += static_cast<unsigned>(p.red());
        green += static_cast<unsigned>(p.green());
        blue += static_cast<unsigned>(p.blue());
    }
    const auto count = static_cast<unsigned>(block.size());
    return {static_cast<int>(red / count), static_cast<int>(green / count),
            static_cast<int>(blue / count)};
}
