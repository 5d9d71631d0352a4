// Program entry: language first, then the application, then the windows in order.

#include "core/Support.h"
#include "forms/About.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"
#include "platform/X11Platform.h"

#include <QApplication>

#include <cstdio>
#include <string>

int main(int argc, char* argv[]) {
    DetectLanguage();

    // Screen reads go through X11, so the windows must live on the same X server, also in
    // a Wayland session (through Xwayland).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // Without a display Qt would abort with a plugin trace; say plainly what is missing.
    std::string error;
    const std::unique_ptr<X11Platform> platform = X11Platform::open(error);
    if (!platform) {
        std::fprintf(stderr, "tintor: %s\n", error.c_str());
        return 1;
    }

    QApplication application(argc, argv);
    // The windows in their order, all hidden but the first; the later ones belong to it.
    TMainForm mainForm(*platform);
    MainForm = &mainForm;
    // The options dialog, OptForm, is created here, between the main and About windows.
    TAboutForm aboutForm(*platform, mainForm);
    AboutForm = &aboutForm;
    TMessageForm messageForm(&mainForm);
    MessageForm = &messageForm;
    mainForm.show();
    return QApplication::exec();
}
