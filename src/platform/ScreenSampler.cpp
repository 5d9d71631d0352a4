#include "ScreenSampler.h"

ScreenSampler::ScreenSampler(std::unique_ptr<ScreenReader> reader) : m_reader(std::move(reader)) {
    setMethod(m_method);
}

void ScreenSampler::close() {
    m_reader.reset();
    m_pixels = QImage();
}

void ScreenSampler::setMethod(SamplingMethod method) {
    m_method = method;
    const int side = blockSide(method);
    if (side == 0 || (!m_pixels.isNull() && m_pixels.width() == side)) {
        return; // an unknown method keeps the pixels; the same side keeps them as they are
    }
    m_pixels = QImage(side, side, QImage::Format_RGB32);
    m_pixels.fill(Qt::black); // until the next sample fills it
}

Rgb ScreenSampler::sample(QPoint point) {
    const int side = blockSide(m_method);
    if (side == 0 || !m_reader) {
        return {};
    }
    if (side == 1) {
        const ScreenPixel pixel = m_reader->pixel(point);
        m_pixels.setPixel(0, 0, shownColour(pixel).toQRgb());
        return blockMean({&pixel, 1});
    }
    const int half = side / 2;
    const auto block = std::span(m_block).first(static_cast<std::size_t>(side * side));
    m_reader->readBlock(point - QPoint(half, half), side, block);
    for (int row = 0; row < side; ++row) {
        auto* line = reinterpret_cast<QRgb*>(m_pixels.scanLine(row));
        for (int column = 0; column < side; ++column) {
            line[column] =
                shownColour(block[static_cast<std::size_t>(row * side + column)]).toQRgb();
        }
    }
    return blockMean(block);
}

QImage ScreenSampler::image() const {
    return blockSide(m_method) == 0 ? QImage() : m_pixels;
}

Rgb ScreenSampler::nearestDisplayable(Rgb colour) const {
    return m_reader ? m_reader->nearestDisplayable(colour) : colour;
}

PointerSample ScreenSampler::sampleAt(QPoint point) {
    const Rgb colour = sample(point);
    return {point, image(), colour};
}
