#include "PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    // A paint box has no background of its own: what its handler leaves undrawn shows
    // the parent, and nothing is erased before the handler runs.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPaintBox::fill(QPainter& painter, ColourRef colour) {
    m_fillColour = colour;
    painter.fillRect(rect(), toQColor(colour));
}

void TPaintBox::fill(ColourRef colour) {
    m_fillColour = colour;
    invalidate();
}

void TPaintBox::invalidate() {
    update();
    emit redrawRequested();
}

void TPaintBox::setColour(ColourRef colour) {
    if (colour != m_colour) {
        m_colour = colour;
        invalidate();
    }
}

void TPaintBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    emit painting(painter);
}

void TPaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
    QWidget::mouseDoubleClickEvent(event);
}

QColor toQColor(ColourRef colour) {
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}
