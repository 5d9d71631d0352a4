#pragma once

#include "Sampling.h"

#include <QPoint>
#include <QSize>

#include <chrono>
#include <cstddef>
#include <mutex>
#include <optional>
#include <span>

// The newest picture of one screen-cast stream and the pointer's place in it.  The picture
// is not copied: PipeWire's thread holds the newest buffer it was sent and shows it here
// until a newer one comes, and readers read the few pixels they need from it under the lock.
// So a read costs the block it reads, whatever the size of the screen.
class StreamFrames {
public:
    // How a picture's four bytes a pixel are laid out in memory.
    enum class Order { Bgrx, Rgbx };

    // A picture in memory that stays as it is while it is shown.
    struct View {
        const std::byte* data = nullptr; // the top-left pixel
        std::size_t stride = 0;          // bytes from one row to the next, at least 4 x width
        QSize size;
        Order order = Order::Bgrx;
    };

    struct Cursor {
        std::optional<QPoint> at; // in the stream's pixels; nothing once it has left the stream
        std::chrono::steady_clock::time_point when; // when it last changed
    };

    // PipeWire's thread only.  Shows `view` from now on (nothing: no picture); once it returns
    // no reader reads the picture shown before, which may then be given back.
    void show(std::optional<View> view);
    void storeCursor(std::optional<QPoint> at);

    // Empty while there is no picture.
    [[nodiscard]] QSize size() const;
    // Nothing until the stream has said where the pointer is.
    [[nodiscard]] std::optional<Cursor> cursor() const;
    // The side x side block at `topLeft`, in the stream's pixels, row by row; points off the
    // picture read nothing.
    void read(QPoint topLeft, int side, std::span<ScreenPixel> out) const;

private:
    mutable std::mutex m_mutex;
    std::optional<View> m_view; // guarded by m_mutex, as the memory it points to
    std::optional<Cursor> m_cursor;
};
