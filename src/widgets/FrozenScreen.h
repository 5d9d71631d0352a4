#pragma once

#include "ScreenSampler.h"

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
    // Shows the picture over every monitor, leaving `owner`'s frame uncovered.
    FrozenScreen(const QImage& picture, QWidget& owner, SamplingMethod method);
    ~FrozenScreen() override;

    // Where a point of the windowing system's desktop lies in the picture.
    [[nodiscard]] QPoint toPicture(QPoint desktopPoint) const;

    ScreenSampler& sampler() { return m_sampler; }

signals:
    // A press on the frozen picture itself, should the capture have missed it.
    void pressed();

private:
    QRect m_desktop;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    ScreenSampler m_sampler;
    std::vector<std::unique_ptr<FrozenScreenOverlay>> m_overlays;
};
