#include "Support.h"

#include "Language.h"

#include <cstdlib>

void DetectLanguage() {
    const std::string_view locale =
        MessagesLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    LanguageCode = LanguageCodeFor(LanguageIdFromLocale(locale));
}
