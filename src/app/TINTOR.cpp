// Program entry: language first, then the application, then the windows in order.

#include "CommandLine.h"
#include "core/Support.h"
#include "forms/About.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"
#include "forms/TintorOpt.h"
#include "platform/X11Platform.h"

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <string>

#include <fcntl.h>

namespace {

// A descriptor among 0-2 that was closed at start would be taken by the next file opened,
// which is the X connection: a warning to standard error would then corrupt the protocol.
void OpenMissingStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free descriptor, which is this one.
            open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        }
    }
}

} // namespace

int main(int argc, char* argv[]) {
    // --version and --help first: they open nothing, and must see a closed output as such.
    if (const auto status = HandleCommandLine(argc, argv)) {
        return *status;
    }
    OpenMissingStandardStreams();
    DetectLanguage();

    const X11Session session = PrepareX11Session();
    if (session.exitStatus) {
        return *session.exitStatus;
    }
    // Without a display Qt would abort with a plugin trace; say plainly what is missing.
    std::string error;
    const std::unique_ptr<X11Platform> platform = X11Platform::open(error);
    if (!platform) {
        std::fprintf(stderr, "tintor: %s\n", error.c_str());
        return 1;
    }

    QApplication application(argc, argv);
    session.restorePlatform();
    // The windows in their order, all hidden but the first; the later ones belong to it.
    TMainForm mainForm(*platform);
    MainForm = &mainForm;
    TOptForm optForm(&mainForm);
    OptForm = &optForm;
    TAboutForm aboutForm(*platform, mainForm);
    AboutForm = &aboutForm;
    TMessageForm messageForm(&mainForm);
    MessageForm = &messageForm;
    mainForm.show();
    return QApplication::exec();
}
