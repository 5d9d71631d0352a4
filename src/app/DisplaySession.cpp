#include "DisplaySession.h"

#include "AppLog.h"

#include <QtGlobal>

DisplaySession DisplaySession::prepare() {
    DisplaySession session;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform.startsWith("wayland")) {
        session.m_replacedPlatform = platform;
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    const bool wayland =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    session.m_wayland = wayland;
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (wayland) {
            qCWarning(lcApp) << "this Wayland session has no Xwayland (DISPLAY is not set); "
                                "Tintor needs an X11 display for its windows.";
            session.m_exitStatus = 1;
        }
        return session; // without Wayland, the X11 services say what is missing
    }
    return session;
}

void DisplaySession::restorePlatform() const {
    if (!m_replacedPlatform) {
        return;
    }
    if (m_replacedPlatform->isEmpty()) {
        qunsetenv("QT_QPA_PLATFORM");
    } else {
        qputenv("QT_QPA_PLATFORM", *m_replacedPlatform);
    }
}
