#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>

// `area` filled with `fill` inside a one-pixel frame of `frame`: two fills, far cheaper than
// a stroked rectangle for a swatch the follower may repaint every tick.
inline void fillFramed(QPainter& painter, const QRect& area, const QColor& fill,
                       const QColor& frame) {
    painter.fillRect(area, frame);
    painter.fillRect(area.adjusted(1, 1, -1, -1), fill);
}
