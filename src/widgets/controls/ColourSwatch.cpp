#include "ColourSwatch.h"

#include <QMouseEvent>
#include <QPainter>

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourSwatch::setColour(Rgb colour) {
    if (colour != m_colour) {
        m_colour = colour;
        update();
    }
}

void ColourSwatch::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(m_colour.toQRgb()));
}

void ColourSwatch::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
    QWidget::mouseDoubleClickEvent(event);
}
