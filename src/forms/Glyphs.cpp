#include "Glyphs.h"

#include <QPainter>
#include <QPixmap>

QIcon AboutGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.setBrush(QColor(64, 112, 224));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(6.5, 3, 3, 3));
    painter.drawRect(QRectF(6.5, 7, 3, 6));
    painter.end();
    return QIcon(glyph);
}
