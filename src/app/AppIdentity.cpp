#include "AppIdentity.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

namespace {

void applyWindowIcon() {
    // The installed theme's icons may be missing (a build run in place, a bare session):
    // the program carries its own, in every size a dock asks for.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128}) {
        icon.addFile(QStringLiteral(":/icons/tintor-%1.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
}

} // namespace

void applyAppIdentity() {
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tintor"));
    // Decoding the six pictures, and finding Qt's image readers first, costs as much as
    // making the main window: the window shows first, and the icon follows from the event
    // loop (window managers and docks follow the property as it changes).
    QTimer::singleShot(0, qApp, &applyWindowIcon);
}
