#include "ScriptedPick.h"

#include "MainWindow.h"
#include "StandardStreams.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

ScriptedPick::ScriptedPick(MainWindow& window, ColourForm form)
    : QObject(&window), m_window(window), m_form(form) {
    // Made once the window is shown, so that it has its native window.
    window.windowHandle()->installEventFilter(this);
    connect(&window, &MainWindow::pickEnded, this, &ScriptedPick::onPickEnded);
}

bool ScriptedPick::eventFilter(QObject* watched, QEvent* event) {
    // The pointer can be taken only once the window is on the screen; the keyboard, for
    // Escape, once it is active.
    if (!m_started && event->type() == QEvent::Expose && m_window.windowHandle()->isExposed()) {
        m_started = true;
        m_window.activateWindow();
        m_window.startPicking();
    }
    return QObject::eventFilter(watched, event);
}

void ScriptedPick::onPickEnded(bool kept) {
    if (kept) {
        const QString line = colourInForm(m_window.colour(), m_form) + u'\n';
        m_exitStatus = writeStandardOutput(line.toStdString()) ? 0 : 1;
    }
    // Not from within the pick's own signal: the window is still handling it.
    QMetaObject::invokeMethod(&m_window, &QWidget::close, Qt::QueuedConnection);
}
