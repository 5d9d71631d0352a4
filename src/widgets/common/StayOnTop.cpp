#include "StayOnTop.h"

#include "Platform.h"
#include "WidgetsLog.h"

#include <QWidget>

StayOnTop::StayOnTop(Platform& platform, QWidget& window)
    : QObject(&window), m_platform(platform), m_window(window) {}

StayOnTop& StayOnTop::of(Platform& platform, QWidget& window) {
    auto* own = window.findChild<StayOnTop*>(QString(), Qt::FindDirectChildrenOnly);
    return own != nullptr ? *own : *new StayOnTop(platform, window);
}

void StayOnTop::setAsking(const QObject& asker, bool asking) {
    if (asking && !m_askers.contains(&asker)) {
        m_askers.insert(&asker);
        // Never left below for good: an asker that goes takes its request along.
        connect(&asker, &QObject::destroyed, this, [this](QObject* gone) { forget(gone); });
        if (m_askers.size() == 1) {
            qCDebug(lcWidgets) << "giving way to the desktop's dialog";
            m_platform.setKeptAbove(m_window, false);
        }
    } else if (!asking) {
        disconnect(&asker, &QObject::destroyed, this, nullptr);
        forget(&asker);
    }
}

void StayOnTop::forget(const QObject* asker) {
    if (m_askers.remove(asker) && m_askers.isEmpty()) {
        qCDebug(lcWidgets) << "on top again";
        m_platform.setKeptAbove(m_window, true);
    }
}
