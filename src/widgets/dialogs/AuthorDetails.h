#pragma once

#include <QtGlobal>

// The author's details as the About window shows and links them.  Every entry is invented:
// no such person, street or number exists, and every address is on the reserved
// example.org domain.  Entries that differ for Dutch readers are marked for translation:
// their Dutch forms are in the Dutch catalogue.
namespace AuthorDetails {

inline constexpr const char* fullName = "Korvan Vlierhoeve";
inline constexpr const char* street = "Kleurenpad 17";
inline constexpr const char* townAndCountry =
    QT_TRANSLATE_NOOP("AboutDialog", "9999 ZZ Voorbeeldstad, The Netherlands");
inline constexpr const char* phone = QT_TRANSLATE_NOOP("AboutDialog", "+31 99 555 01 42");
inline constexpr const char* mail = "korvan@example.org";
inline constexpr const char* homePage =
    QT_TRANSLATE_NOOP("AboutDialog", "https://korvan.example.org/en/");
// Ends in "#": the program's name follows as the anchor of its entry.
inline constexpr const char* downloadPage =
    QT_TRANSLATE_NOOP("AboutDialog", "https://korvan.example.org/en/downloads.html#");

// The person thanked in the About window, and the page their name opens.
inline constexpr const char* creditName = "Ilka Vos";
inline constexpr const char* creditPage = "https://vos.example.org/";

} // namespace AuthorDetails
