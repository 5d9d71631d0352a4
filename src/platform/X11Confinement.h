#pragma once

#include "PlatformServices.h"

#include <array>
#include <memory>

struct _XDisplay;

// The pointer held inside a rectangle by four XFixes pointer barriers.  Barriers confine
// without taking any input away from the toolkit or other programs (a pointer grab would),
// and the server removes them with the connection, so a crash leaves nothing behind.
// Destroying the object removes them at once.
class PointerConfinement {
public:
    // Whether the server offers pointer barriers (XFixes 5 or later).  Asks the server once
    // per connection, as the extension requires before its first use.
    static bool available(_XDisplay* display);

    // Moves the pointer inside `area` if it is outside, then raises the barriers.  Null when
    // the area is empty.
    static std::unique_ptr<PointerConfinement> create(_XDisplay* display, const ScreenRect& area);

    ~PointerConfinement();
    PointerConfinement(const PointerConfinement&) = delete;
    PointerConfinement& operator=(const PointerConfinement&) = delete;

    [[nodiscard]] const ScreenRect& area() const { return m_area; }

private:
    PointerConfinement(_XDisplay* display, const ScreenRect& area);

    _XDisplay* m_display;
    ScreenRect m_area;
    std::array<unsigned long, 4> m_barriers{};
};
