#include "Language.h"

#include <algorithm>
#include <array>

namespace {

bool allOf(std::string_view text, bool (*accept)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), accept);
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct DutchLocale {
    std::string_view language;
    std::string_view territory; // empty: none given, which counts as the main territory
};

constexpr std::array<DutchLocale, 5> dutchLocales{{
    {"nl", "NL"},
    {"nl", ""},
    {"nl", "BE"},
    {"af", "ZA"},
    {"af", ""},
}};

} // namespace

InterfaceLanguage languageForLocale(std::string_view locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    const auto underscore = locale.find('_');
    const std::string_view language = locale.substr(0, underscore);
    const std::string_view territory =
        underscore == std::string_view::npos ? std::string_view{} : locale.substr(underscore + 1);
    const bool languageOk =
        language.size() >= 2 && language.size() <= 3 && allOf(language, isLower);
    const bool territoryOk = underscore == std::string_view::npos ||
                             (territory.size() == 2 && allOf(territory, isUpper)) ||
                             (territory.size() == 3 && allOf(territory, isDigit));
    if (!languageOk || !territoryOk) {
        return InterfaceLanguage::English;
    }
    const bool dutch = std::any_of(dutchLocales.begin(), dutchLocales.end(), [&](const auto& d) {
        return d.language == language && d.territory == territory;
    });
    return dutch ? InterfaceLanguage::Dutch : InterfaceLanguage::English;
}

std::string_view messagesLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}
