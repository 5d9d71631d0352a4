#include "ContrastChoice.h"

#include "ContrastView.h"
#include "SettingsStore.h"
#include "WidgetsLog.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

ContrastChoice::ContrastChoice(SettingsStore& settings, QWidget& window, ContrastView& view)
    : QObject(&window), m_settings(settings), m_window(window), m_view(view),
      m_action(new QAction(tr("Contrast"), &window)) {
    m_action->setObjectName(QStringLiteral("showContrast"));
    m_action->setCheckable(true);
    // Alt+C: "contrast"; while the window is active, whichever control has the focus.
    m_action->setShortcut(QKeySequence(Qt::ALT | Qt::Key_C));
    m_action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(m_action);
    connect(m_action, &QAction::triggered, this, &ContrastChoice::choose);
    const bool on = m_settings.value(Settings::ContrastView).toBool();
    m_action->setChecked(on);
    show(on);
}

bool ContrastChoice::isOn() const {
    return m_action->isChecked();
}

void ContrastChoice::show(bool on) {
    m_view.setVisible(on);
    const QRect view = m_view.geometry();
    m_window.setFixedSize(view.width(), on ? view.bottom() + 1 : view.top());
    // Grown at the bottom of the screen, the window moves up to keep the view on it.
    if (const QScreen* screen = m_window.screen(); on && m_window.isVisible() && screen) {
        const int below = m_window.frameGeometry().bottom() - screen->availableGeometry().bottom();
        if (below > 0) {
            m_window.move(m_window.x(),
                          std::max(screen->availableGeometry().top(), m_window.y() - below));
        }
    }
}

void ContrastChoice::choose(bool on) {
    show(on);
    // The choice holds for this session even when it cannot be kept for the next.
    if (const Result<void> stored = m_settings.write(Settings::ContrastView, on); !stored) {
        qCWarning(lcWidgets).noquote() << "the contrast view's choice:" << stored.error();
    }
}
