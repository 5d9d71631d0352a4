#include "ContrastSample.h"

#include <QPainter>

ContrastSample::ContrastSample(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ContrastSample::setColours(Rgb text, Rgb background) {
    if (text != m_text || background != m_background) {
        m_text = text;
        m_background = background;
        update();
    }
}

void ContrastSample::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(m_background.toQRgb()));
    painter.setPen(QColor::fromRgb(m_text.toQRgb()));
    // Large text is 18 points, or 14 bold; normal text anything smaller.
    QFont large = font();
    large.setPixelSize(19);
    large.setBold(true);
    painter.setFont(large);
    const QRect inside = rect().adjusted(4, 0, -4, 0);
    painter.drawText(inside, Qt::AlignLeft | Qt::AlignVCenter, tr("Aa"));
    painter.setFont(font());
    painter.drawText(inside, Qt::AlignRight | Qt::AlignVCenter, tr("Text"));
    // A frame in the palette's text colour keeps a sample as light as the window visible.
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
