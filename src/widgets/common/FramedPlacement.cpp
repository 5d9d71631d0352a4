#include "FramedPlacement.h"

#include "WindowPlacement.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <utility>

FramedPlacement::FramedPlacement(QWidget& window) : QObject(&window), m_window(window) {
    centreOnPrimaryScreen(window);
    window.installEventFilter(this);
}

void FramedPlacement::keepClearOf(const QList<QRect>& windows) {
    const qreal ratio = m_window.devicePixelRatioF();
    m_clearOf.clear();
    for (const QRect& window : windows) {
        m_clearOf << QRectF(window.topLeft() / ratio, window.size() / ratio).toRect();
    }
    centreClearOf(m_window, m_clearOf);
}

bool FramedPlacement::eventFilter(QObject* watched, QEvent* event) {
    QWindow* handle = m_window.windowHandle();
    if (watched == &m_window && event->type() == QEvent::Show && handle != nullptr) {
        handle->installEventFilter(this); // once: installing again changes nothing
    } else if (watched == handle && event->type() == QEvent::Expose) {
        // The frame is known once the window manager has mapped the window: centre it
        // whole, unless someone moved it meanwhile.
        if (std::exchange(m_awaitingFrame, false) &&
            m_window.frameGeometry() != m_window.geometry()) {
            centreClearOf(m_window, m_clearOf);
        }
        emit exposed();
    }
    return false;
}
