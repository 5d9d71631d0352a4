#include "FrozenScreenOverlay.h"

#include <QMouseEvent>
#include <QPainter>

FrozenScreenOverlay::FrozenScreenOverlay(const QImage& part, const QRect& geometry)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                           Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_part(part) {
    setObjectName(QStringLiteral("FrozenScreen"));
    setWindowTitle(QStringLiteral("Tintor frozen screen"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    setGeometry(geometry);
}

void FrozenScreenOverlay::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // Pixel replication: a scaled monitor's picture has more pixels than the window.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(rect(), m_part);
}

void FrozenScreenOverlay::mousePressEvent(QMouseEvent* event) {
    // Normally the pick's capture takes every press; should it be missing, a press on the
    // frozen picture still ends the pick.
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        emit pressed();
    }
}
