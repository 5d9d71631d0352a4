#include "PointerHold.h"

#include "Platform.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <utility>

PointerHold::PointerHold(Platform& platform, QWidget& window)
    : QObject(&window), m_platform(platform), m_window(window) {
    m_window.installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &PointerHold::onApplicationStateChanged);
}

PointerHold::~PointerHold() {
    if (m_holding) {
        release();
    }
}

void PointerHold::hold() {
    const std::optional<QRect> area = m_platform.deviceGeometry(m_window);
    m_holding = area && m_platform.confinePointer(area);
}

void PointerHold::release() {
    m_platform.confinePointer(std::nullopt);
    m_holding = false;
    m_heldWhenLeft = false;
}

void PointerHold::onApplicationStateChanged(Qt::ApplicationState state) {
    // The user has gone to another program, which must have the mouse.
    if (state != Qt::ApplicationActive && m_holding) {
        release();
        m_heldWhenLeft = true;
    }
}

bool PointerHold::eventFilter(QObject* watched, QEvent* event) {
    QWindow* handle = m_window.windowHandle();
    if (watched == &m_window) {
        switch (event->type()) {
        case QEvent::Show:
            if (handle != nullptr) {
                handle->installEventFilter(this); // once: installing again changes nothing
            }
            break;
        case QEvent::Hide:
            release();
            break;
        case QEvent::Move:
            if (m_holding) {
                hold(); // the limit follows the window
            }
            break;
        // Coming back to the window, by the keyboard or a task bar, takes the pointer again;
        // so does the end of a window manager's grab (a move).
        case QEvent::ActivationChange:
            if (m_window.isActiveWindow()) {
                if (std::exchange(m_heldWhenLeft, false)) {
                    hold();
                } else {
                    emit exposed();
                }
            }
            break;
        default:
            break;
        }
    } else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
        // Only the window system's exposure: a control that merely redraws (hover, press)
        // must not take back a pointer that a link has just set free.
        emit exposed();
    }
    return false;
}
