#pragma once

#include <optional>

// --version and --help, answered before anything needs a display.  Returns the exit status
// when the program should stop here; every other argument is left to Qt.
std::optional<int> answerCommandLine(int argc, char* argv[]);
