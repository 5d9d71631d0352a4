#pragma once

#include "ColourNotation.h"

#include <QString>

#include <optional>
#include <utility>

// What the command line asks for, read before anything needs a display.  Arguments Tintor
// does not know are left to Qt.
struct CommandLine {
    // Set when the program should stop here with this status: --version and --help are
    // answered, or the arguments are wrong (said on stderr).
    std::optional<int> exitStatus;
    // --pick: one pick, printed on stdout in this form (--format; #RRGGBB by default).
    std::optional<ColourForm> pick;
    // --recent: the recent colours, printed on stdout in this form.
    std::optional<ColourForm> recent;
    // --contrast: the two colours' texts, as given.
    std::optional<std::pair<QString, QString>> contrast;
};

CommandLine readCommandLine(int argc, char* argv[]);
