#include "ScreenAround.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>

QList<QRect> screenAround(const QWidget& window) {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRegion covered = QRegion(screen->geometry()).subtracted(window.frameGeometry());
        for (const QRect& area : covered) {
            areas.append(area);
        }
    }
    return areas;
}
