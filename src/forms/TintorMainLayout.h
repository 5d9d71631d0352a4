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
} // namespace MainFormTexts
