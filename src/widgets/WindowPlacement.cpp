#include "WindowPlacement.h"

#include "core/MessageMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

QPoint centredOver(const QRect& owner, const QSize& size) {
    return {centredStart(owner.left(), owner.width(), size.width()),
            centredStart(owner.top(), owner.height(), size.height())};
}

void centreOnPrimaryScreen(QWidget& window) {
    // Without any monitor Qt still offers the X screen as one; with none at all the window
    // stays at the origin, which is on every screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect();
    const QPoint topLeft = area.isValid() ? centredOver(area, window.size()) : QPoint(0, 0);
    window.setGeometry(QRect(topLeft, window.size()));
}

void centreOver(QWidget& window, const QWidget& owner) {
    window.setGeometry(QRect(centredOver(owner.geometry(), window.size()), window.size()));
}
