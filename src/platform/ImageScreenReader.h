#pragma once

#include "Platform.h"

#include <QImage>

// Reads a picture as if it were the screen: a frozen screenshot, or a window's own
// rendering.  `origin` is where the picture's top-left pixel lies on the screen.
class ImageScreenReader final : public ScreenReader {
public:
    explicit ImageScreenReader(QImage image, QPoint origin = {});

    [[nodiscard]] Rgb nearestDisplayable(Rgb colour) const override { return colour; }
    [[nodiscard]] ScreenPixel pixel(QPoint point) override;
    void readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) override;

private:
    QImage m_image;
    QPoint m_origin;
};
