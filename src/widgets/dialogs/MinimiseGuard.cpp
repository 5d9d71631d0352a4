#include "MinimiseGuard.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

MinimiseGuard::MinimiseGuard(QWidget& window) : QObject(&window), m_window(window) {
    window.installEventFilter(this);
}

bool MinimiseGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WindowStateChange &&
        m_window.isMinimized()) {
        // From the event loop: the window system is still in the middle of minimising it.
        QTimer::singleShot(0, this, [this] {
            m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
            m_window.show();
            m_window.raise();
            m_window.activateWindow();
        });
    }
    return false;
}
