#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// "nld" for the Dutch interface, empty for English.  Written once by DetectLanguage before
// any window exists; only read afterwards.
extern std::string LanguageCode;

// The one language test: every text choice goes through it.
bool IsDutch();

// A text in both interface languages, kept side by side.
struct BiText {
    const char* english;
    const char* dutch;
};

const char* Choose(const BiText& text);

// Language identifiers in the 16-bit form (primary language and sublanguage together).
namespace LangId {
inline constexpr std::uint16_t Neutral = 0x0000;
inline constexpr std::uint16_t DutchNetherlands = 0x0413;
inline constexpr std::uint16_t DutchBelgium = 0x0813;
inline constexpr std::uint16_t AfrikaansSouthAfrica = 0x0436;
} // namespace LangId

// "nld" for the three identifiers that select Dutch, empty for every other.
std::string LanguageCodeFor(std::uint16_t languageId);

// Maps a POSIX locale name (language[_territory][.codeset][@modifier]) onto an identifier.
// Only the names that can select Dutch need an identifier; all else, malformed names
// included, maps to Neutral.
std::uint16_t LanguageIdFromLocale(std::string_view locale);

// The locale that governs message language: the first non-empty of LC_ALL, LC_MESSAGES
// and LANG, as the C library resolves it.
std::string_view MessagesLocale(const char* lcAll, const char* lcMessages, const char* lang);
