#pragma once

#include <span>
#include <string>
#include <string_view>

// The mail link's subject: "Programma " + program name + ", " + version, in both languages.
std::string mailSubject(std::string_view programName, std::string_view versionText);

// "mailto:" + address + "?Subject=" + subject + "&Body=" + the lines joined by "%0D%0A"
// (none after the last).  Nothing else is escaped: the mail program receives the spaces,
// commas and colons as they are.
std::string mailTarget(std::string_view address, std::string_view subject,
                       std::span<const std::string> bodyLines);
