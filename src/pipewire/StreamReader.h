#pragma once

#include "Platform.h"
#include "StreamFrames.h"

#include <memory>

// Reads the newest picture of one screen-cast stream, in that stream's pixels: only the
// pixels asked for, under the stream's lock.
class StreamReader final : public ScreenReader {
public:
    explicit StreamReader(std::shared_ptr<const StreamFrames> frames)
        : m_frames(std::move(frames)) {}

    [[nodiscard]] Rgb nearestDisplayable(Rgb colour) const override { return colour; }
    [[nodiscard]] ScreenPixel pixel(QPoint point) override {
        ScreenPixel colour;
        m_frames->read(point, 1, {&colour, 1});
        return colour;
    }
    void readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) override {
        m_frames->read(topLeft, side, out);
    }

private:
    std::shared_ptr<const StreamFrames> m_frames;
};
