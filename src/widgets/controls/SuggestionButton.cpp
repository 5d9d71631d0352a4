#include "SuggestionButton.h"

#include "Contrast.h"
#include "FramedFill.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

SuggestionButton::SuggestionButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    // It covers every pixel, so the row beneath need not be drawn again with it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void SuggestionButton::setColour(Rgb colour) {
    if (colour != m_colour) {
        m_colour = colour;
        update();
    }
}

void SuggestionButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    fillFramed(painter, rect(), QColor::fromRgb(m_colour.toQRgb()),
               palette().color(isDown() ? QPalette::Highlight : QPalette::WindowText));
    // The arrow in black or white, whichever stands out more on the swatch; drawn, not set
    // as text, since the follower may repaint it every tick.
    const bool dark =
        Contrast::ratio(m_colour, Rgb(0, 0, 0)) < Contrast::ratio(m_colour, Rgb(255, 255, 255));
    painter.setPen(Qt::NoPen);
    painter.setBrush(dark ? Qt::white : Qt::black);
    const QPoint centre = rect().center();
    const int tip = m_upwards ? -3 : 3;
    painter.drawPolygon(QPolygon{QPoint(centre.x() - 4, centre.y() - tip),
                                 QPoint(centre.x() + 4, centre.y() - tip),
                                 QPoint(centre.x(), centre.y() + tip)});
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
