#include "ImageScreenReader.h"

ImageScreenReader::ImageScreenReader(QImage image, QPoint origin)
    : m_image(image.convertToFormat(QImage::Format_RGB32)), m_origin(origin) {}

ScreenPixel ImageScreenReader::pixel(QPoint point) {
    const QPoint at = point - m_origin;
    if (!m_image.rect().contains(at)) {
        return std::nullopt;
    }
    return Rgb::fromQRgb(reinterpret_cast<const QRgb*>(m_image.constScanLine(at.y()))[at.x()]);
}

void ImageScreenReader::readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) {
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            out[static_cast<std::size_t>(row * side + column)] =
                pixel(topLeft + QPoint(column, row));
        }
    }
}
