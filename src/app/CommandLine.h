#pragma once

#include <optional>

// --version and --help, answered before anything needs a display.  Returns the exit
// status when the program should stop here; every other argument is left to Qt.
std::optional<int> HandleCommandLine(int argc, char* argv[]);

// Chooses the X11 platform for the toolkit and checks that there is an X display to use.
// Returns the exit status when there is none, after saying what is missing.
std::optional<int> PrepareX11Session();
