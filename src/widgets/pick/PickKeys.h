#pragma once

#include <QObject>
#include <QPoint>

// The keys of a pick, wherever Tintor's focus is: Return, Enter or Space end it keeping the
// colour, as a click does; Escape ends it putting the colour back; the arrow keys move the
// point picked by one pixel, by ten with Shift.  They are taken before any control sees
// them, so that Space presses no focused button and the arrows move no focused slider.
class PickKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // While on, these keys are the pick's; off, they go where they always do.
    void setOn(bool on);

signals:
    void accepted();
    void cancelled();
    void moved(QPoint offset);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
