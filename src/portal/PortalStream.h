#pragma once

#include <QPoint>
#include <QSize>

#include <cstdint>
#include <optional>

// One stream of a screen cast as the portal describes it: its PipeWire node and, where the
// desktop says them, its monitor's place and size.
struct PortalStream {
    std::uint32_t node = 0;
    std::optional<QPoint> position; // where the desktop places the monitor, if it says
    std::optional<QSize> size;      // in the desktop's units, if it says
};
