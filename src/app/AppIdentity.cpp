#include "AppIdentity.h"

#include <QApplication>
#include <QIcon>

void applyAppIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tintor"));
    // The installed theme's icons may be missing (a build run in place, a bare session):
    // the program carries its own, in every size a dock asks for.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/tintor-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}
