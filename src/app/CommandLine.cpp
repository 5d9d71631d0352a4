#include "CommandLine.h"

#include "AppLog.h"
#include "TintorVersion.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

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

// A full disk or a closed stream is a failure, not an answer given.
int print(const std::string& text) {
    errno = 0;
    const bool written = std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0;
    if (!written) {
        qCWarning(lcApp) << "cannot write to standard output:"
                         << std::strerror(errno != 0 ? errno : EIO);
        return 1;
    }
    return 0;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            return print(std::string("Tintor ") + TintorVersion::displayed + "\n");
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            return print(Usage);
        }
    }
    return std::nullopt;
}
