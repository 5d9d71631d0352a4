#pragma once

// The titles of Tintor's windows in English, the tests' language, as a user reads them.

#include <QString>

namespace Title {
inline const QString Main = QStringLiteral("Tintor, version 1.00");
inline const QString About = Main + QStringLiteral(" - Information");
inline const QString Author = QStringLiteral("Tintor - Author");
inline const QString Options = QStringLiteral("Options");
inline const QString Picking = QStringLiteral("Picking Single Pixel");
inline const QString Message = QStringLiteral("MessageForm");
inline const QString FrozenScreen = QStringLiteral("Tintor frozen screen");
inline const QString LiveScreen = QStringLiteral("Tintor live screen");
} // namespace Title
