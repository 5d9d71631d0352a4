#pragma once

#include <QString>

// What the windows say about the program itself.
struct AppInfo {
    QString name;
    QString version; // as shown: "version 1.00"
    QString copyright;

    // Tintor's own, in the interface language; the number comes from the build.
    static AppInfo tintor();

    // "Tintor, version 1.00": the main window's title.
    [[nodiscard]] QString title() const { return name + QStringLiteral(", ") + version; }
};
