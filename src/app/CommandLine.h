#pragma once

#include <QByteArray>

#include <optional>

// --version and --help, answered before anything needs a display.  Returns the exit
// status when the program should stop here; every other argument is left to Qt.
std::optional<int> HandleCommandLine(int argc, char* argv[]);

// What PrepareX11Session found and chose.
struct X11Session {
    // Set when there is no X display to use, after saying what is missing.
    std::optional<int> exitStatus;
    // The toolkit platform asked for before Tintor chose X11 (empty: none was asked for).
    std::optional<QByteArray> replacedPlatform;

    // Once the application object exists: programs that Tintor starts (mail program,
    // browser) get the platform the user asked for, not Tintor's choice.
    void restorePlatform() const;
};

// Chooses the X11 platform for the toolkit and checks that there is an X display to use.
X11Session PrepareX11Session();
