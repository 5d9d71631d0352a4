#include "TintorOptLayout.h"

namespace {

using FormLayout::Control;
using FormLayout::NoTabStop;
using FormLayout::NoTag;

constexpr BiText same(const char* text) {
    return {text, text};
}

// clang-format off
// name, parent, geometry, tag, tab order, text, hint
// The four items share the group's tab stop; their tags are the methods they stand for.
const std::array<Control, 7> controls{{
    {"MethodGrp", nullptr, {8, 8, 153, 97}, NoTag, 0},
    {"Method0", "MethodGrp", {8, 17, 137, 18}, 0, NoTabStop},
    {"Method1", "MethodGrp", {8, 36, 137, 18}, 1, NoTabStop},
    {"Method2", "MethodGrp", {8, 55, 137, 18}, 2, NoTabStop},
    {"Method3", "MethodGrp", {8, 74, 137, 18}, 3, NoTabStop},
    {"OKBtn", nullptr, {25, 112, 59, 25}, NoTag, 1, same("&OK")},
    {"Button1", nullptr, {89, 112, 59, 25}, NoTag, 2, same("&Cancel")},
}};
// clang-format on

const FormLayout::Window layout{{169, 141}, "MS Sans Serif", 11, controls};

} // namespace

const FormLayout::Window& OptFormLayout() {
    return layout;
}
