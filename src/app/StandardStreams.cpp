#include "StandardStreams.h"

#include "AppLog.h"
#include "RegularFile.h"

#include <cerrno>
#include <cstdio>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

void ignoreSignal(int) {}

} // namespace

void ensureStandardStreams() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1) {
            continue;
        }
        // open() takes the lowest free descriptor, which is this one.
        const int opened = open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened != descriptor && opened >= 0) {
            close(opened);
        }
    }
}

void ignoreBrokenPipes() {
    // A log reader that went away must not kill Tintor with its first warning.  A handler
    // rather than SIG_IGN: exec() resets it, so the programs Tintor starts get the usual
    // SIGPIPE.
    struct sigaction action {};
    action.sa_handler = &ignoreSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
}

bool writeStandardOutput(const std::string& text) {
    errno = 0;
    if (std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0) {
        return true;
    }
    // Read before the log is written: building the message may change errno.
    const int error = errno != 0 ? errno : EIO;
    qCWarning(lcApp).noquote() << "cannot write to standard output:" << errnoText(error);
    return false;
}

bool standardOutputIsOpen() {
    if (fcntl(STDOUT_FILENO, F_GETFD) != -1) {
        return true;
    }
    const int error = errno;
    qCWarning(lcApp).noquote() << "cannot write to standard output:" << errnoText(error);
    return false;
}
