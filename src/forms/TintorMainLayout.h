#pragma once

#include "FormLayout.h"

// The main window as laid out: geometry, tags, tab order, colours, hints and design texts.
const FormLayout::Window& MainFormLayout();

// The main window's texts that code sets, English and Dutch side by side.
namespace MainFormTexts {
inline constexpr BiText VersionText{"version 1.00", "versie 1.00a"};
inline constexpr BiText CopyrightText{"Copyright \u00a9 2026 the Tintor developers",
                                      "Copyright \u00a9 2026 de ontwikkelaars van Tintor"};
inline constexpr BiText OptBtnCaption{"&Options...", "&Opties"};
inline constexpr BiText PFSBtnCaption{"&Pick From Screen", "&Pluk van scherm"};

// The title while picking: the prefix, then the name of the method.
inline constexpr BiText PickingPrefix{"Picking ", "Pluk "};
inline constexpr BiText PickingMethods[]{
    {"Single Pixel", "\u00c9\u00e9n Pixel"},
    {"3x3 Average", "3x3-gemiddelde"},
    {"5x5 Average", "5x5-gemiddelde"},
    {"7x7 Average", "7x7-gemiddelde"},
};
inline constexpr BiText PickingUnknownMethod{"...", "..."};
} // namespace MainFormTexts
