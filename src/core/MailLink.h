#pragma once

#include <QString>
#include <QStringList>

// The mail link's subject: "Programma " + program name + ", " + version, in both languages.
QString mailSubject(const QString& programName, const QString& versionText);

// "mailto:" + address + "?Subject=" + subject + "&Body=" + the lines joined by "%0D%0A"
// (none after the last).  Nothing else is escaped: the mail program receives the spaces,
// commas and colons as they are.
QString mailTarget(const QString& address, const QString& subject, const QStringList& bodyLines);
