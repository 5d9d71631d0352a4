#include "GradientBar.h"

#include "ColourMaths.h"

#include <QImage>
#include <QPainter>

GradientBar::GradientBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientBar::setChannel(Channel channel) {
    m_channel = channel;
    update();
}

void GradientBar::setColour(Rgb colour) {
    const Rgb shown = colour.withChannel(m_channel, 0);
    if (shown != m_colour) {
        m_colour = shown;
        update();
    }
}

void GradientBar::paintEvent(QPaintEvent* /*event*/) {
    const auto row = gradientRow(m_channel, m_colour);
    QImage line(GradientWidth, 1, QImage::Format_RGB32);
    auto* pixels = reinterpret_cast<QRgb*>(line.scanLine(0));
    for (std::size_t x = 0; x < row.size(); ++x) {
        pixels[x] = row[x].toQRgb();
    }
    QPainter painter(this);
    // Pixel replication: the bar must show the exact channel values, never a blend.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, GradientWidth, height()), line);
}
