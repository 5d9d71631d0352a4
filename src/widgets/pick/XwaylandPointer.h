#pragma once

#include <QPoint>

#include <optional>

// Whether the place Xwayland gives for the pointer is where the pointer really is.
// Xwayland learns the pointer's place only from motion over its own windows: it starts with
// a made-up place in the middle of the screen, inside the centred window, and keeps a place
// while the pointer is over another program's window.  A place counts once the pointer has
// been seen to move from the first one.
class XwaylandPointer {
public:
    // `place` is where Xwayland puts the pointer now; `known` says whether that is where it
    // really is.
    explicit XwaylandPointer(std::optional<QPoint> place, bool known = false)
        : m_first(place), m_known(known) {}

    // Whether `place`, where Xwayland puts the pointer now, is where it really is.
    [[nodiscard]] bool knows(std::optional<QPoint> place) {
        m_known = m_known || place != m_first;
        return m_known;
    }

private:
    std::optional<QPoint> m_first;
    bool m_known;
};
