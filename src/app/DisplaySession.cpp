#include "DisplaySession.h"

#include "AppLog.h"

#include <QtGlobal>

#include <cstring>

namespace {

// The value of Qt's -display (which Qt also takes with two dashes); null when none is given.
const char* qtDisplayOption(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0) {
            return argv[i + 1];
        }
    }
    return nullptr;
}

} // namespace

DisplaySession DisplaySession::prepare(int argc, char* argv[]) {
    DisplaySession session;
    if (const char* display = qtDisplayOption(argc, argv)) {
        qputenv("DISPLAY", display);
    }
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
