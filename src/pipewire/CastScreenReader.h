#pragma once

#include "CastFrameSet.h"
#include "Platform.h"

#include <memory>

// Reads the newest frames of a cast at frame points (see CastFrameSet): only the pixels
// asked for, under each stream's lock.
class CastScreenReader final : public ScreenReader {
public:
    explicit CastScreenReader(std::shared_ptr<const CastFrameSet> frames)
        : m_frames(std::move(frames)) {}

    [[nodiscard]] Rgb nearestDisplayable(Rgb colour) const override { return colour; }
    [[nodiscard]] Rgb pixel(QPoint point) override {
        Rgb colour = Rgb::offScreen();
        readBlock(point, 1, {&colour, 1});
        return colour;
    }
    void readBlock(QPoint topLeft, int side, std::span<Rgb> out) override {
        // The block belongs to the stream its centre lies on; the rest is off that screen.
        const QPoint half(side / 2, side / 2);
        const auto [index, centre] = CastFrameSet::split(topLeft + half);
        if (const StreamFrames* stream = m_frames->stream(index)) {
            stream->read(centre - half, side, out);
            return;
        }
        std::fill(out.begin(), out.end(), Rgb::offScreen());
    }

private:
    std::shared_ptr<const CastFrameSet> m_frames;
};
