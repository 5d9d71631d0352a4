// Program entry: language first, then the application, then the windows in order.

#include "core/Support.h"
#include "forms/TintorMain.h"
#include "forms/TintorOpt.h"
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
    TMainForm mainForm(*platform);
    MainForm = &mainForm;
    TOptForm optForm(&mainForm);
    OptForm = &optForm;
    mainForm.show();
    return QApplication::exec();
}
