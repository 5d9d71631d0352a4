#include "ImageScreenReader.h"

ImageScreenReader::ImageScreenReader(QImage image, QPoint origin)
    : m_image(image.convertToFormat(QImage::Format_RGB32)), m_origin(origin) {}

Rgb ImageScreenReader::pixel(QPoint point) {
    const QPoint at = point - m_origin;
    if (!m_image.rect().contains(at)) {
        return Rgb::offScreen();
    }
    return Rgb::fromQRgb(reinterpret_cast<const QRgb*>(m_image.constScanLine(at.y()))[at.x()]);
}

void ImageScreenReader::readBlock(QPoint topLeft, int side, std::span<Rgb> out) {
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            out[static_cast<std::size_t>(row * side + column)] =
                pixel(topLeft + QPoint(column, row));
        }
    }
}
