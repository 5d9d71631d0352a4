#pragma once

#include "Rgb.h"

#include <QPoint>
#include <QSize>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

// The newest frame of one screen-cast stream and the pointer's place in it.  PipeWire's
// thread copies each frame into the back buffer and swaps it to the front under the lock;
// readers take the lock only to read the few pixels they need, so no whole frame is ever
// copied or waited for on the reading side.
class StreamFrames {
public:
    // How a frame's four bytes a pixel are laid out in memory.
    enum class Order { Bgrx, Rgbx };

    struct Cursor {
        std::optional<QPoint> at; // in the stream's pixels; nothing once it has left the stream
        std::chrono::steady_clock::time_point when;
    };

    // PipeWire's thread only.
    void store(const std::byte* data, std::size_t stride, QSize size, Order order);
    void storeCursor(std::optional<QPoint> at);

    [[nodiscard]] bool hasFrame() const;
    [[nodiscard]] QSize size() const;
    // Nothing until the stream has said where the pointer is.
    [[nodiscard]] std::optional<Cursor> cursor() const;
    // The side x side block at `topLeft`, in the stream's pixels, row by row; points off the
    // frame read Rgb::offScreen().
    void read(QPoint topLeft, int side, std::span<Rgb> out) const;

private:
    struct Frame {
        std::vector<std::uint32_t> pixels;
        QSize size;
        Order order = Order::Bgrx;
    };

    mutable std::mutex m_mutex;
    Frame m_front; // guarded by m_mutex
    Frame m_back;  // PipeWire's thread only
    std::optional<Cursor> m_cursor;
};
