#pragma once

#include "PointerSample.h"
#include "Rgb.h"

#include <QObject>

// One pick from the screen, from start() to its end.  The window that owns it ends it by
// end() (a press, Escape, a dialog) or when it signals that it is over.
class PickSession : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Begins to read the screen; signals may follow from here on.
    virtual void start() = 0;
    // What the follower's tick shows while picking, the pointer being at `pointer`.
    [[nodiscard]] virtual PointerSample follow(QPoint pointer) = 0;
    // Moves the point picked by `offset` pixels, as the arrow keys ask.
    virtual void movePoint(QPoint offset) = 0;
    // Drops whatever the pick still holds or waits for; no signal follows.
    virtual void end() = 0;

signals:
    // A colour given at once rather than by the ticks; finished() follows.
    void picked(Rgb colour);
    // The pick is over; the colour stays as it is.
    void finished();
    // The screen could not be read; `reason` says why.
    void failed(const QString& reason);
};
