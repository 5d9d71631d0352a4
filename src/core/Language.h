#pragma once

#include <string_view>

enum class InterfaceLanguage { English, Dutch };

// The locale that governs message language: the first non-empty of LC_ALL, LC_MESSAGES
// and LANG, as the C library resolves it.
std::string_view messagesLocale(const char* lcAll, const char* lcMessages, const char* lang);

// Dutch for Dutch of the Netherlands or Belgium and Afrikaans of South Africa (a bare
// "nl" or "af" included), English for every other name, malformed names included.  The
// codeset and modifier (language[_territory][.codeset][@modifier]) are ignored.
InterfaceLanguage languageForLocale(std::string_view locale);
