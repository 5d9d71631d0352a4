#include "AboutGlyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

struct GlyphColours {
    QColor rim;
    QColor disc;
    QColor mark;
};

QPixmap questionDisc(const GlyphColours& colours) {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colours.rim, 1));
    painter.setBrush(colours.disc);
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));

    // Drawn as strokes rather than text, so it looks the same whatever fonts are installed.
    QPainterPath hook;
    hook.moveTo(5.2, 5.6);
    hook.cubicTo(5.2, 3.0, 10.8, 3.0, 10.8, 5.6);
    hook.cubicTo(10.8, 7.4, 8.0, 7.6, 8.0, 9.8);
    painter.setPen(QPen(colours.mark, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.mark);
    painter.drawEllipse(QRectF(6.8, 11.2, 2.4, 2.4));
    painter.end();
    return glyph;
}

} // namespace

QIcon aboutGlyph() {
    QIcon icon;
    icon.addPixmap(questionDisc({QColor(150, 110, 0), QColor(255, 221, 0), QColor(210, 0, 0)}),
                   QIcon::Normal);
    icon.addPixmap(
        questionDisc({QColor(150, 150, 150), QColor(225, 225, 225), QColor(128, 128, 128)}),
        QIcon::Disabled);
    return icon;
}
