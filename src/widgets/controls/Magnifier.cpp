#include "Magnifier.h"

#include <QPainter>

namespace {

constexpr int Extent = 48;

} // namespace

Magnifier::Magnifier(QWidget* parent) : QWidget(parent) {}

void Magnifier::setImage(const QImage& image) {
    if (image == m_image) {
        return; // the same pixels: most ticks with the pointer still
    }
    m_image = image;
    update();
}

void Magnifier::paintEvent(QPaintEvent* /*event*/) {
    if (m_image.isNull()) {
        return;
    }
    QPainter painter(this);
    // Pixel replication.  The cells cover 48 x 48 even where the box is shorter.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, Extent, Extent), m_image);
}
