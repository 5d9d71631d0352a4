#include "TintorMainLayout.h"

#include <array>

namespace {

using FormLayout::Control;
using FormLayout::FontRole;
using FormLayout::NoTabStop;
using FormLayout::NoTag;

constexpr QRgb Red = qRgb(255, 0, 0);
constexpr QRgb Lime = qRgb(0, 255, 0);
constexpr QRgb Blue = qRgb(0, 0, 255);
constexpr QRgb White = qRgb(255, 255, 255);
constexpr QRgb Black = qRgb(0, 0, 0);

// Texts that no code replaces read the same in both languages.
constexpr BiText same(const char* text) {
    return {text, text};
}

// clang-format off
// name, parent, geometry, tag, tab order, text, hint, background, foreground, font, hand,
// max length, accessible name
const std::array<Control, 26> controls{{
    {"MagBox", nullptr, {7, 9, 48, 47}, NoTag, NoTabStop, {}, "Magnified image of pixels under the cursor ", 0, 0, FontRole::Window, false, 0, nullptr, "Magnifier"},
    {"TrackR", nullptr, {62, 4, 150, 25}, 1, 0, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Red"},
    {"TrackG", nullptr, {62, 36, 150, 25}, 2, 1, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Green"},
    {"TrackB", nullptr, {62, 68, 150, 25}, 3, 2, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Blue"},
    {"EditR", nullptr, {208, 12, 33, 21}, 0, 3, {}, nullptr, Red, White, FontRole::Window, false, 3, nullptr, "Red value"},
    {"UpDownR", nullptr, {241, 12, 17, 21}, 0, 4, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Red step"},
    {"EditG", nullptr, {208, 44, 33, 21}, 1, 5, {}, nullptr, Lime, Black, FontRole::Window, false, 3, nullptr, "Green value"},
    {"UpDownG", nullptr, {241, 44, 17, 21}, 1, 6, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Green step"},
    {"EditB", nullptr, {208, 76, 33, 21}, 2, 7, {}, nullptr, Blue, White, FontRole::Window, false, 3, nullptr, "Blue value"},
    {"UpDownB", nullptr, {241, 76, 17, 21}, 2, 8, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Blue step"},
    {"PanelR", nullptr, {72, 24, 130, 9}, NoTag, NoTabStop, {}, nullptr, Black},
    {"RedBox", "PanelR", {1, 1, 128, 7}, 1, NoTabStop, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Red gradient"},
    {"PanelG", nullptr, {72, 56, 130, 9}, NoTag, NoTabStop, {}, nullptr, Black},
    {"GreenBox", "PanelG", {1, 1, 128, 7}, 2, NoTabStop, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Green gradient"},
    {"PanelB", nullptr, {72, 88, 130, 9}, NoTag, NoTabStop, {}, nullptr, Black},
    {"BlueBox", "PanelB", {1, 1, 128, 7}, 3, NoTabStop, {}, nullptr, 0, 0, FontRole::Window, false, 0, nullptr, "Blue gradient"},
    {"CoordsLbl", nullptr, {11, 64, 48, 26}, NoTag, NoTabStop, same("x:000 y:000"), "Mouse coordinates", 0, 0, FontRole::Courier11, false, 0, nullptr, "Mouse coordinates"},
    {"HTMLOutLbl", nullptr, {8, 102, 32, 13}, NoTag, NoTabStop, same("RGB:"), nullptr, 0, 0, FontRole::Courier11},
    {"HTMLOutEdit", nullptr, {43, 102, 62, 13}, NoTag, 15, same("#000000"), nullptr, 0, 0, FontRole::Courier13, false, 0, nullptr, "RGB"},
    {"WebOutLbl", nullptr, {8, 118, 32, 13}, NoTag, NoTabStop, same("Web:"), nullptr, 0, 0, FontRole::Courier13},
    {"WebOutEdit", nullptr, {43, 118, 61, 13}, NoTag, 14, same("#000000"), nullptr, 0, 0, FontRole::Courier13, false, 0, nullptr, "Web"},
    {"ColourPnl", nullptr, {113, 103, 144, 14}, NoTag, NoTabStop, {}, "Colour", 0, 0, FontRole::Window, false, 0, nullptr, "Colour"},
    {"SolidColPnl", nullptr, {113, 116, 144, 14}, NoTag, NoTabStop, {}, "Nearest Web Colour", 0, 0, FontRole::Window, false, 0, nullptr, "Nearest Web Colour"},
    {"OptBtn", nullptr, {33, 137, 74, 25}, NoTag, 10, {}, nullptr, 0, 0, FontRole::Window, true},
    {"SpeedAbout", nullptr, {107, 137, 22, 25}, NoTag, NoTabStop, {}, nullptr, 0, 0, FontRole::Window, true, 0, nullptr, "About"},
    {"PFSBtn", nullptr, {129, 137, 99, 25}, NoTag, 9, {}, nullptr, 0, 0, FontRole::Window, true},
}};
// clang-format on

const FormLayout::Window layout{{264, 168}, "MS Sans Serif", 11, controls};

} // namespace

const FormLayout::Window& MainFormLayout() {
    return layout;
}
