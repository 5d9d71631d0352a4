#pragma once

#include "ScreenSampler.h"
#include "XwaylandPointer.h"

#include <QObject>
#include <QRect>

#include <memory>
#include <vector>

class FrozenScreenOverlay;
class QWidget;

// A screenshot of the whole desktop, frozen over every monitor while a pick reads it in
// place of the screen.  The screenshot is in device pixels; the windowing system places
// the pointer in its own (possibly scaled) units, which toPicture() converts.
class FrozenScreen : public QObject {
    Q_OBJECT
public:
    // Shows the picture over every monitor, leaving `owner`'s frame uncovered.  `pointer`
    // tells whether the place the windowing system gives is the pointer's.
    FrozenScreen(const QImage& picture, QWidget& owner, SamplingMethod method,
                 XwaylandPointer pointer);
    ~FrozenScreen() override;

    // Where a point of the windowing system's desktop lies in the picture.
    [[nodiscard]] QPoint toPicture(QPoint desktopPoint) const;

    ScreenSampler& sampler() { return m_sampler; }

    // Whether `pointer` is where the pointer really is: a pick started from the keyboard,
    // with the pointer over another program, reads a stale place until the pointer moves.
    [[nodiscard]] bool knowsPointer(QPoint pointer) { return m_pointer.knows(pointer); }

signals:
    // A press on the frozen picture itself, should the capture have missed it.
    void pressed();

private:
    QRect m_desktop;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    XwaylandPointer m_pointer;
    ScreenSampler m_sampler;
    std::vector<std::unique_ptr<FrozenScreenOverlay>> m_overlays;
};
