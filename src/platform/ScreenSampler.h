#pragma once

#include "Platform.h"
#include "PointerSample.h"
#include "Sampling.h"

#include <QImage>

#include <array>
#include <memory>

// Samples the screen around a point by the chosen method: one read of the pixel or block,
// which yields both the colour and the pixels the magnifier shows.
class ScreenSampler {
public:
    explicit ScreenSampler(std::unique_ptr<ScreenReader> reader = nullptr);

    [[nodiscard]] bool isOpen() const { return m_reader != nullptr; }
    // Gives the reader back; sampling yields black from now on.
    void close();

    [[nodiscard]] SamplingMethod method() const { return m_method; }
    void setMethod(SamplingMethod method);

    // The pixel under `point`, or the mean of the block centred on it.  Black for a method
    // that samples nothing.
    Rgb sample(QPoint point);

    // The screen under `point`, read once: its place, the pixels the magnifier shows and
    // the colour a pick takes.
    PointerSample sampleAt(QPoint point);

    // The pixels of the last sample, one per cell; null for a method that samples nothing.
    [[nodiscard]] QImage image() const;

    // What the screen shows for `colour`; the colour itself once closed.
    [[nodiscard]] Rgb nearestDisplayable(Rgb colour) const;

private:
    std::unique_ptr<ScreenReader> m_reader;
    SamplingMethod m_method = SamplingMethod::SinglePixel;
    QImage m_pixels;
    std::array<ScreenPixel, MaxBlockSide * MaxBlockSide> m_block{};
};
