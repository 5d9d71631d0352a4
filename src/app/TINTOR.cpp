// Program entry: language first, then the application, then the windows in order.

#include "CommandLine.h"
#include "core/Support.h"
#include "forms/About.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"
#include "forms/TintorOpt.h"
#include "platform/X11Platform.h"

#include <QApplication>

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    if (const auto status = HandleCommandLine(argc, argv)) {
        return *status;
    }
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
