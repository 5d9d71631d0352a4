#include "SuggestionButton.h"

#include "Contrast.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

SuggestionButton::SuggestionButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void SuggestionButton::setColour(Rgb colour) {
    if (colour != m_colour) {
        m_colour = colour;
        update();
    }
}

void SuggestionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, QColor::fromRgb(m_colour.toQRgb()));
    painter.setPen(palette().color(isDown() ? QPalette::Highlight : QPalette::WindowText));
    painter.drawRect(frame);
    // The arrow in black or white, whichever stands out more on the swatch.
    const bool dark =
        Contrast::ratio(m_colour, Rgb(0, 0, 0)) < Contrast::ratio(m_colour, Rgb(255, 255, 255));
    painter.setPen(dark ? Qt::white : Qt::black);
    painter.drawText(rect(), Qt::AlignCenter, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
