#pragma once

// Xlib-side helper shared by the X11 services; include only where Xlib is included.

#include <X11/Xlib.h>

#include <optional>
#include <utility>

// Where the pointer is on the default screen's root, in device pixels; nothing when it is
// on another screen of the display.  One round trip.
inline std::optional<std::pair<int, int>> queryPointer(Display* display) {
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int buttons = 0;
    if (XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &windowX,
                      &windowY, &buttons) == False) {
        return std::nullopt;
    }
    return std::pair{rootX, rootY};
}
