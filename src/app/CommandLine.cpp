#include "CommandLine.h"

#include <QByteArray>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* Usage =
    "Usage: tintor [Qt options]\n"
    "An always-on-top colour picker for X11: RGB sliders, web-safe colours, and colours\n"
    "picked from anywhere on the screen.\n"
    "\n"
    "  --version   print the version and exit\n"
    "  --help      print this help and exit\n"
    "\n"
    "Other arguments are ignored; Qt's own options (such as -platform) work as usual.\n";

// Writes `text` to standard output; a full disk or a closed output is an error to report.
int Answer(const char* text) {
    errno = 0;
    if (std::fputs(text, stdout) == EOF || std::fflush(stdout) == EOF) {
        const int error = errno;
        std::fprintf(stderr, "tintor: cannot write to standard output: %s\n",
                     error != 0 ? std::strerror(error) : "write error");
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> HandleCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            return Answer("Tintor 1.00\n");
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return Answer(Usage);
        }
    }
    return std::nullopt;
}

X11Session PrepareX11Session() {
    X11Session session;
    // Screen reads go through X11, so the windows must live on the same X server: in a
    // Wayland session that is Xwayland.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform.startsWith("wayland")) {
        session.replacedPlatform = platform;
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        if (wayland) {
            std::fputs("tintor: this Wayland session has no Xwayland (DISPLAY is not set); "
                       "Tintor needs an X11 display to read the screen.\n",
                       stderr);
            session.exitStatus = 1;
        }
        return session; // without Wayland, the X11 services say what is missing
    }
    if (wayland) {
        std::fputs("tintor: in a Wayland session Tintor runs through Xwayland and can sample only "
                   "windows shown through Xwayland.\n",
                   stderr);
    }
    return session;
}

void X11Session::restorePlatform() const {
    if (!replacedPlatform) {
        return;
    }
    if (replacedPlatform->isEmpty()) {
        qunsetenv("QT_QPA_PLATFORM");
    } else {
        qputenv("QT_QPA_PLATFORM", *replacedPlatform);
    }
}
