#pragma once

#include "FormLayout.h"

#include <array>

// The options dialog as laid out.
const FormLayout::Window& OptFormLayout();

// The dialog's texts, English and Dutch side by side, chosen each time it is shown.
namespace OptFormTexts {
inline constexpr BiText Title{"Options", "Instellingen"};
inline constexpr BiText GroupCaption{"Colour Sampling Method", "Sample-methode"};
inline constexpr std::array<BiText, 4> Methods{{
    {"&Single Pixel", "\u00c9\u00e9n Pixel"},
    {"&3x3 Average", "&3x3-emiddelde"},
    {"&5x5 Average", "&5x5-middelde"},
    {"&7x7 Average", "&7x7-gemiddelde"},
}};
} // namespace OptFormTexts
