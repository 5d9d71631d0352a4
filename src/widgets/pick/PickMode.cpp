#include "PickMode.h"

#include "PickSession.h"
#include "PickSource.h"
#include "Platform.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

PickMode::PickMode(Platform& platform, PickSource& source, QWidget& window)
    : QObject(&window), m_platform(platform), m_source(source), m_window(window) {
    m_window.installEventFilter(this);
    connect(&m_keys, &PickKeys::accepted, this, [this] { stop(); });
    connect(&m_keys, &PickKeys::cancelled, this, &PickMode::cancel);
    connect(&m_keys, &PickKeys::moved, this, [this](QPoint offset) {
        m_session->movePoint(offset);
        emit pointMoved();
    });
    // Another program took the focus while picking: take the capture back.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](auto state) {
        if (state == Qt::ApplicationInactive && isActive()) {
            m_platform.capturePointer(m_window);
        }
    });
}

PickMode::~PickMode() = default;

void PickMode::start(Rgb colourBefore, ScreenSampler& screen) {
    m_colourBefore = colourBefore;
    m_keys.setOn(true);
    m_session = m_source.makePick(m_window, screen);
    connect(m_session, &PickSession::picked, this, &PickMode::picked);
    connect(m_session, &PickSession::finished, this, [this] { stop(); });
    connect(m_session, &PickSession::failed, this, [this](const QString& reason) {
        end(Qt::NoButton, false);
        emit failed(reason);
    });
    m_session->start();
}

void PickMode::stop(Qt::MouseButton heldUntilRelease) {
    end(heldUntilRelease, true);
}

void PickMode::end(Qt::MouseButton heldUntilRelease, bool kept) {
    m_session->end();
    disconnect(m_session, nullptr, this, nullptr);
    // Later: this may run from one of the session's own signals.
    m_session->deleteLater();
    m_session = nullptr;
    m_keys.setOn(false);
    m_heldUntilRelease = heldUntilRelease;
    if (heldUntilRelease == Qt::NoButton) {
        m_platform.releasePointer(m_window);
    }
    emit stopped(kept);
}

// As in colour dialogs, Escape puts back the colour from before.
void PickMode::cancel() {
    end(Qt::NoButton, false);
    emit picked(m_colourBefore);
}

PointerSample PickMode::follow(QPoint pointer) {
    return m_session->follow(pointer);
}

bool PickMode::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window) {
        return false;
    }
    // A press that follows the one before quickly comes as a double-click: it ends the pick
    // all the same.
    const bool pressed =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (pressed && isActive()) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton || button == Qt::RightButton) {
            stop(button);
        }
    } else if (event->type() == QEvent::MouseButtonRelease && m_heldUntilRelease != Qt::NoButton &&
               static_cast<QMouseEvent*>(event)->button() == m_heldUntilRelease) {
        m_heldUntilRelease = Qt::NoButton;
        m_platform.releasePointer(m_window);
    }
    return false;
}
