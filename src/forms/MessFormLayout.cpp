#include "MessFormLayout.h"

#include <array>

namespace {

using FormLayout::Control;
using FormLayout::NoTag;

// clang-format off
// name, parent, geometry, tag, tab order
const std::array<Control, 2> controls{{
    {"MessagePanel", nullptr, {0, 0, 350, 92}, NoTag, 0},
    {"MessageMemo", nullptr, {20, 18, 309, 55}, NoTag, 1, {}, nullptr, 0, 0, FormLayout::FontRole::Window, false, 0, nullptr, "Message"},
}};
// clang-format on

// Arial 12 pixels: 9 points at the layout's 96 pixels per inch.
const FormLayout::Window layout{{350, 92}, "Arial", 12, controls};

} // namespace

const FormLayout::Window& MessageFormLayout() {
    return layout;
}
