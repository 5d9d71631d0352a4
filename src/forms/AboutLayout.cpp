#include "AboutLayout.h"

namespace {

using FormLayout::Control;
using FormLayout::FontRole;
using FormLayout::FontSpec;
using FormLayout::NoTabStop;
using FormLayout::NoTag;

constexpr QRgb Black = qRgb(0, 0, 0);
constexpr QRgb Blue = qRgb(0, 0, 255);

// Texts that no code replaces read the same in both languages.
constexpr BiText same(const char* text) {
    return {text, text};
}

constexpr FontSpec PanelFont{"Times New Roman", 15, QFont::Serif};
constexpr FontSpec NameFont{"Arial", 48, QFont::SansSerif, true, true};
constexpr FontSpec Arial11{"Arial", 11};
constexpr FontSpec Arial12{"Arial", 12};
constexpr FontSpec Arial13{"Arial", 13};
constexpr FontSpec CreditLinkFont{"Times New Roman", 13, QFont::Serif, false, false, true};
constexpr FontSpec ButtonFont{"MS Sans Serif", 11};
constexpr FontSpec LinkButtonFont{"MS Sans Serif", 11, QFont::SansSerif, false, false, true};

constexpr FontRole Own = FontRole::Window; // the row's own font follows at the end

// clang-format off
// Bottom to top: the author view, then the main view over it.  Tab orders on MainPanel count
// among its controls.
// name, parent, geometry, tag, tab order, text, hint, background, foreground, font, hand, max length, own font,
// accessible name
const std::array<Control, 18> controls{{
    {"AuthorMemo", nullptr, {0, 0, 368, 257}, NoTag, 1, {}, nullptr, 0, Black, Own, false, 0, &Arial13, "Author"},
    {"OKBtn1", nullptr, {152, 217, 65, 28}, NoTag, 2, same("OK"), nullptr, 0, Black, Own, false, 0, &ButtonFont},
    {"MainPanel", nullptr, {0, 0, 368, 257}, NoTag, 0, {}, nullptr, 0, Black, Own, false, 0, &PanelFont},
    {"NameLabel", "MainPanel", {5, 16, 360, 69}, NoTag, NoTabStop, {}, nullptr, 0, Black, Own, false, 0, &NameFont},
    {"VersionLabel", "MainPanel", {5, 67, 360, 20}, NoTag, NoTabStop, {}, nullptr, 0, Black, Own, false, 0, &Arial12},
    {"Bevel1", "MainPanel", {20, 86, 329, 28}},
    {"Label3", "MainPanel", {28, 91, 312, 18}, NoTag, NoTabStop, {}, nullptr, 0, Black},
    {"SpeedButton1", "MainPanel", {193, 88, 73, 21}, NoTag, NoTabStop, same(Author::CreditName), nullptr, 0, Blue, Own, true, 0, &CreditLinkFont},
    {"Bevel3", "MainPanel", {20, 122, 329, 29}},
    {"CopyrightLabel", "MainPanel", {28, 128, 291, 16}, NoTag, NoTabStop, {}, nullptr, 0, Black, Own, false, 0, &Arial11},
    {"AuthorBtn", "MainPanel", {326, 126, 19, 21}, NoTag, 0, {}, "Toon auteur", 0, 0, Own, true, 0, nullptr, "Author"},
    {"Bevel2", "MainPanel", {20, 159, 329, 49}},
    {"Label1", "MainPanel", {23, 165, 323, 17}, NoTag, NoTabStop, {}, nullptr, 0, Black, Own, false, 0, &Arial13},
    {"Label2", "MainPanel", {23, 183, 323, 19}, NoTag, NoTabStop, {}, nullptr, 0, Black, Own, false, 0, &Arial13},
    {"MailBtn", "MainPanel", {43, 217, 65, 29}, NoTag, 3, same("Mail"), nullptr, 0, Blue, Own, true, 0, &LinkButtonFont},
    {"OKBtn", "MainPanel", {147, 217, 77, 29}, NoTag, 1, same("OK"), nullptr, 0, Black, Own, true, 0, &ButtonFont},
    {"HomeBtn", "MainPanel", {265, 217, 65, 29}, NoTag, 4, same("Home"), nullptr, 0, Blue, Own, true, 0, &LinkButtonFont},
    {"MailMemo", "MainPanel", {0, 0, 0, 0}},
}};
// clang-format on

const FormLayout::Window layout{{368, 257}, "Times New Roman", 16, controls};

} // namespace

const FormLayout::Window& AboutFormLayout() {
    return layout;
}
