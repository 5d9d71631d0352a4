#include "Language.h"

#include <algorithm>
#include <array>

std::string LanguageCode;

bool IsDutch() {
    return LanguageCode == "nld";
}

const char* Choose(const BiText& text) {
    return IsDutch() ? text.dutch : text.english;
}

std::string LanguageCodeFor(std::uint16_t languageId) {
    switch (languageId) {
    case LangId::DutchNetherlands:
    case LangId::DutchBelgium:
    case LangId::AfrikaansSouthAfrica:
        return "nld";
    default:
        return {};
    }
}

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

struct LocaleId {
    std::string_view language;
    std::string_view territory; // empty: none given
    std::uint16_t id;
};

// A bare language counts as its main territory.
constexpr std::array<LocaleId, 5> localeIds{{
    {"nl", "NL", LangId::DutchNetherlands},
    {"nl", "", LangId::DutchNetherlands},
    {"nl", "BE", LangId::DutchBelgium},
    {"af", "ZA", LangId::AfrikaansSouthAfrica},
    {"af", "", LangId::AfrikaansSouthAfrica},
}};

} // namespace

std::uint16_t LanguageIdFromLocale(std::string_view locale) {
    // Codeset and modifier say nothing about the language.
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
        return LangId::Neutral;
    }
    for (const LocaleId& entry : localeIds) {
        if (entry.language == language && entry.territory == territory) {
            return entry.id;
        }
    }
    return LangId::Neutral;
}

std::string_view MessagesLocale(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}
