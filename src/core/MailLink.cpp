#include "MailLink.h"

QString mailSubject(const QString& programName, const QString& versionText) {
    return QStringLiteral("Programma ") + programName + QStringLiteral(", ") + versionText;
}

QString mailTarget(const QString& address, const QString& subject, const QStringList& bodyLines) {
    return QStringLiteral("mailto:") + address + QStringLiteral("?Subject=") + subject +
           QStringLiteral("&Body=") + bodyLines.join(QStringLiteral("%0D%0A"));
}
