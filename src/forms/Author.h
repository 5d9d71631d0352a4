#pragma once

// The author's details as the About window shows and links them.  Every entry is invented:
// no such person, street or number exists, and every address is on the reserved
// example.org domain.  This is the one place to change them.
namespace Author {

inline constexpr const char* FullName = "Korvan Vlierhoeve";
inline constexpr const char* Street = "Kleurenpad 17";
inline constexpr const char* Town = "9999 ZZ Voorbeeldstad";
inline constexpr const char* TownAndCountry = "9999 ZZ Voorbeeldstad, The Netherlands";
inline constexpr const char* PhoneInternational = "+31 99 555 01 42";
inline constexpr const char* PhoneNational = "099 - 555 01 42";
inline constexpr const char* Mail = "korvan@example.org";

inline constexpr const char* HomeEnglish = "https://korvan.example.org/en/";
inline constexpr const char* HomeDutch = "https://korvan.example.org/nl/";
// Download pages end in "#": the program's name follows as the anchor of its entry.
inline constexpr const char* DownloadEnglish = "https://korvan.example.org/en/downloads.html#";
inline constexpr const char* DownloadDutch = "https://korvan.example.org/nl/downloads.html#";

// The person thanked in the About window, and the page their name opens.
inline constexpr const char* CreditName = "Ilka Vos";
inline constexpr const char* CreditPage = "https://vos.example.org/";

} // namespace Author
