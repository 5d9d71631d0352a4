// Program entry: the command line, the display, then the application and its main window.

#include "AppIdentity.h"
#include "AppLog.h"
#include "CommandLine.h"
#include "DisplaySession.h"
#include "StandardStreams.h"
#include "PortalPicker.h"
#include "X11Platform.h"
#include "SettingsStore.h"
#include "MainWindow.h"
#include "UrlLauncher.h"
#include "Translator.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Every line Tintor writes to the log reads as the program's own.
    qSetMessagePattern(QStringLiteral("tintor: %{message}"));
    // Answered on the streams as they are given: a closed output is an error to report.
    if (const auto status = answerCommandLine(argc, argv)) {
        return *status;
    }
    // Before anything opens a file or a connection: a closed standard stream would be
    // handed to it, and a warning would then be written into it.
    ensureStandardStreams();
    const DisplaySession session = DisplaySession::prepare();
    if (const auto status = session.exitStatus()) {
        return *status;
    }
    // Without a display Qt would abort with a plugin trace; say plainly what is missing.
    auto platform = X11Platform::open();
    if (!platform) {
        qCWarning(lcApp).noquote() << platform.error();
        return 1;
    }

    QApplication application(argc, argv);
    session.restorePlatform();
    applyAppIdentity();
    if (session.isWayland()) {
        // X sees only Xwayland's windows: picks go through the desktop portal.
        (*platform)->setDesktopPicker(std::make_unique<PortalPicker>());
    }
    const Translator translator(Translator::fromEnvironment());
    SettingsStore settings;
    UrlLauncher links;
    MainWindow window(**platform, settings, links);
    window.show();
    return QApplication::exec();
}
