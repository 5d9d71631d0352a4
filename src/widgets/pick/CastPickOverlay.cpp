#include "CastPickOverlay.h"

#include <QMouseEvent>
#include <QPainter>

CastPickOverlay::CastPickOverlay(const QRect& geometry)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                           Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("LiveScreen"));
    setWindowTitle(QStringLiteral("Tintor live screen"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::CrossCursor);
    setGeometry(geometry);
}

void CastPickOverlay::paintEvent(QPaintEvent* /*event*/) {
    // Fully transparent: the screen cast and the user see the screen itself.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}

void CastPickOverlay::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit pressed();
    }
}
