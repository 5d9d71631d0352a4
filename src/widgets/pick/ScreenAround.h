#pragma once

#include <QList>
#include <QRect>

class QWidget;

// The areas of every monitor but `window`'s frame, which a pick's full-screen windows cover
// while the window stays in sight and takes its own clicks.  Plain rectangles, up to four a
// monitor, not one masked window each: sway draws the part a mask leaves out black.
QList<QRect> screenAround(const QWidget& window);
