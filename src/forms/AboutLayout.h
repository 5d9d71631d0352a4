#pragma once

#include "Author.h"
#include "FormLayout.h"

#include <array>

// The About window as laid out: the main view on MainPanel over the author view.
const FormLayout::Window& AboutFormLayout();

// The About window's texts that code sets, English and Dutch side by side.  "%1" stands for
// the program's name.
namespace AboutTexts {
inline constexpr BiText TitleSuffix{" - Information", " - Informatie"};
inline constexpr BiText AuthorTitleSuffix{" - Author", " - Auteur"};

inline constexpr BiText Label1{"%1 picks the screen color and shows the ",
                               "%1 pakt de schermkleur op en toont de"};
inline constexpr BiText Label2{"hexadecimal RGB value and the Web Save value.",
                               "Hexadecimale waarde en de Webveilige waarde."};
inline constexpr BiText Label3{"With thanks to               :", "Met dank aan               :"};

inline constexpr BiText MailBtnHint{"Contact the author of %1",
                                    "Stuur uw opmerkingen naar de auteur van %1"};
inline constexpr BiText HomeBtnHint{"Download the newest version of %1", "Ga naar mijn Home Page"};
inline constexpr BiText OKBtnHint{"Back to the main window", "Verlaat Info-scherm"};
inline constexpr BiText OKBtn1Hint{"Back to the main window", "Terug naar het beginvenster"};

// The links: where they lead and what a failure says.
inline constexpr BiText DownloadPage{Author::DownloadEnglish, Author::DownloadDutch};
inline constexpr BiText MailFailed{"Error sending E-mail.", "E-mail is in de fout gegaan."};
inline constexpr BiText BrowserFailed{"Browser not opened.", "Browser niet geopend."};

// clang-format off
// The body of the mail link, one entry per line.
inline constexpr std::array<BiText, 12> MailTemplate{{
    {"Hi Korvan", "Hallo Korvan"},
    {"", ""},
    {"", ""},
    {"On you Home Page I found the program %1.", "Ik vond op je Home Page het programma %1."},
    {"", ""},
    {"I want to comment on this program:", "Ik wil hierover het volgende kwijt:"},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"", ""},
    {"Kind regards,", "Met vriendelijke groet,"},
}};

// The author view, one entry per line.
inline constexpr std::array<BiText, 13> AuthorLines{{
    {"", ""},
    {"The program %1 has been written by:", "Het programma %1 is geschreven door:"},
    {"", ""},
    {Author::FullName, Author::FullName},
    {Author::Street, Author::Street},
    {Author::TownAndCountry, Author::Town},
    {Author::PhoneInternational, Author::PhoneNational},
    {"", ""},
    {Author::Mail, Author::Mail},
    {Author::HomeEnglish, Author::HomeDutch},
    {"", ""},
    {"Please try my other programs.", "Bekijk ook mijn andere programma's."},
    {"Mail or write for further information!", "Mail, bel of schrijf voor nadere informatie!"},
}};
// clang-format on
} // namespace AboutTexts
