#pragma once

#include <QRect>

#include <array>
#include <memory>

struct _XDisplay;

// The pointer held inside a rectangle by four XFixes pointer barriers.  Barriers confine
// without taking any input away from the toolkit or other programs (a pointer grab would),
// and the server removes them with the connection, so a crash leaves nothing behind.
// Destroying the object removes them at once.
class PointerBarriers {
public:
    // Whether the server offers pointer barriers (XFixes 5 or later).  Asks the server once
    // per connection, as the extension requires before its first use.
    static bool available(_XDisplay* display);

    // Moves the pointer inside `area` if it is outside, then raises the barriers.  Null when
    // the area is empty.
    static std::unique_ptr<PointerBarriers> create(_XDisplay* display, const QRect& area);

    ~PointerBarriers();
    PointerBarriers(const PointerBarriers&) = delete;
    PointerBarriers& operator=(const PointerBarriers&) = delete;

    [[nodiscard]] const QRect& area() const { return m_area; }

private:
    PointerBarriers(_XDisplay* display, const QRect& area);

    _XDisplay* m_display;
    QRect m_area;
    std::array<unsigned long, 4> m_barriers{};
};
