#include "ContrastSample.h"

#include "FramedFill.h"

#include <QEvent>
#include <QPainter>

ContrastSample::ContrastSample(QWidget* parent)
    : QWidget(parent), m_large(tr("Aa")), m_normal(tr("Text")) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    layOut();
}

void ContrastSample::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        layOut();
    }
    QWidget::changeEvent(event);
}

void ContrastSample::layOut() {
    // Large text is 18 points, or 14 bold; normal text anything smaller.
    m_largeFont = font();
    m_largeFont.setPixelSize(19);
    m_largeFont.setBold(true);
    m_large.prepare(QTransform(), m_largeFont);
    m_normal.prepare(QTransform(), font());
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
    // A frame in the palette's text colour keeps a sample as light as the window visible.
    fillFramed(painter, rect(), QColor::fromRgb(m_background.toQRgb()),
               palette().color(QPalette::WindowText));
    painter.setPen(QColor::fromRgb(m_text.toQRgb()));
    const int middle = height() / 2;
    painter.setFont(m_largeFont);
    painter.drawStaticText(4, middle - qRound(m_large.size().height() / 2), m_large);
    painter.setFont(font());
    painter.drawStaticText(width() - 4 - qRound(m_normal.size().width()),
                           middle - qRound(m_normal.size().height() / 2), m_normal);
}
