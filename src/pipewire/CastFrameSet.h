#pragma once

#include "StreamFrames.h"

#include <memory>
#include <utility>
#include <vector>

// The streams of one cast as its readers see them, side by side in frame points: pixel
// (x, y) of stream k is the frame point (k * Stride + x, y).  Changed on the GUI thread
// only, as casts open and close.
class CastFrameSet {
public:
    static constexpr int Stride = 1 << 16;

    void setStreams(std::vector<std::shared_ptr<const StreamFrames>> streams) {
        m_streams = std::move(streams);
    }
    [[nodiscard]] const std::vector<std::shared_ptr<const StreamFrames>>& streams() const {
        return m_streams;
    }
    // Null for a stream that is not there.
    [[nodiscard]] const StreamFrames* stream(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < m_streams.size()
                   ? m_streams[static_cast<std::size_t>(index)].get()
                   : nullptr;
    }

    [[nodiscard]] static QPoint framePoint(int stream, QPoint pixel) {
        return {stream * Stride + pixel.x(), pixel.y()};
    }
    // The stream and its pixel for a frame point.
    [[nodiscard]] static std::pair<int, QPoint> split(QPoint frame) {
        const int stream = frame.x() >= 0 ? frame.x() / Stride : -1;
        return {stream, {frame.x() - stream * Stride, frame.y()}};
    }

private:
    std::vector<std::shared_ptr<const StreamFrames>> m_streams;
};
