// Program entry: the command line, the display, then the application and its main window.

#include "AppIdentity.h"
#include "AppLog.h"
#include "CastPickSource.h"
#include "CommandLine.h"
#include "ContrastReport.h"
#include "DisplaySession.h"
#include "MainWindow.h"
#include "PortalCapture.h"
#include "RecentListing.h"
#include "ScreenCastPipeWire.h"
#include "ScreenshotPickSource.h"
#include "ScriptedPick.h"
#include "SettingsStore.h"
#include "StandardStreams.h"
#include "Translator.h"
#include "UrlLauncher.h"
#include "X11PickSource.h"
#include "X11Platform.h"

#include <QApplication>

namespace {

// In a Wayland session X sees only Xwayland's windows: picks go through the desktop portal,
// and the desktop's screen cast, when the user chooses it, shows the rest.
std::unique_ptr<PickSource> pickSource(X11Platform& platform, ScreenCast* cast) {
    if (cast == nullptr) {
        return std::make_unique<X11PickSource>(platform);
    }
    return std::make_unique<CastPickSource>(
        platform, *cast,
        std::make_unique<ScreenshotPickSource>(platform, std::make_unique<PortalCapture>()));
}

// Start-up's writes, before the window reads the settings.
void prepareSettings(SettingsStore& settings) {
    settings.takeOverEarlierSettings();
    if (const Result<void> repaired = settings.repairUnreadable(); !repaired) {
        // Start anyway; the user should know why the choice will not stick.
        qCWarning(lcApp).noquote().nospace()
            << "the settings cannot be stored (" << repaired.error() << "); using the defaults";
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // Every line Tintor writes to the log reads as the program's own.
    qSetMessagePattern(QStringLiteral("tintor: %{message}"));
    ignoreBrokenPipes();
    // Answered on the streams as they are given: a closed output is an error to report.
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (const auto status = commandLine.exitStatus) {
        return *status;
    }
    // A pick, a list or a report whose text could go nowhere is refused before it starts.
    if ((commandLine.pick || commandLine.recent || commandLine.contrast) &&
        !standardOutputIsOpen()) {
        return 1;
    }
    // Before anything opens a file or a connection: a closed standard stream would be
    // handed to it, and a warning would then be written into it.
    ensureStandardStreams();
    if (const auto& colours = commandLine.contrast) { // needs no display
        return printContrast(colours->first, colours->second);
    }
    if (commandLine.recent) { // needs no display
        return printRecentColours(*commandLine.recent);
    }
    const DisplaySession session = DisplaySession::prepare(argc, argv);
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
    std::unique_ptr<ScreenCast> cast;
    if (session.isWayland()) {
        cast = std::make_unique<ScreenCastPipeWire>();
    }
    const std::unique_ptr<PickSource> picks = pickSource(**platform, cast.get());
    const Translator translator(Translator::fromEnvironment());
    // A pick from a script leaves the settings as they are, even an unreadable file.
    SettingsStore settings(SettingsStore::defaultPath(), commandLine.pick
                                                             ? SettingsStore::Access::ReadOnly
                                                             : SettingsStore::Access::ReadWrite);
    prepareSettings(settings);
    UrlLauncher links;
    MainWindow window(**platform, *picks, settings, links);
    if (cast) {
        window.offerScreenCast(*cast);
    }
    if (commandLine.pick) {
        window.keepClearOf((*platform)->othersWindowsOfClass("tintor")); // a running Tintor
    }
    window.show();
    if (commandLine.pick) {
        const ScriptedPick* scripted = new ScriptedPick(window, *commandLine.pick);
        QApplication::exec();
        return scripted->exitStatus();
    }
    return QApplication::exec();
}
