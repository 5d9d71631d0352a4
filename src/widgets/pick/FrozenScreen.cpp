#include "FrozenScreen.h"

#include "FrozenScreenOverlay.h"
#include "ImageScreenReader.h"
#include "ScreenAround.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace {

QRect desktopOf(const QList<QScreen*>& screens) {
    QRect desktop;
    for (const QScreen* screen : screens) {
        desktop |= screen->geometry();
    }
    return desktop;
}

} // namespace

FrozenScreen::FrozenScreen(const QImage& picture, QWidget& owner, SamplingMethod method,
                           XwaylandPointer pointer)
    : m_desktop(desktopOf(QGuiApplication::screens())), m_pointer(pointer),
      m_sampler(std::make_unique<ImageScreenReader>(picture)) {
    m_sampler.setMethod(method);
    if (m_desktop.isEmpty()) {
        m_desktop = picture.rect();
    }
    // A desktop with a scaled monitor is pictured at the largest scale throughout.
    m_scaleX = static_cast<double>(picture.width()) / m_desktop.width();
    m_scaleY = static_cast<double>(picture.height()) / m_desktop.height();
    for (const QRect& area : screenAround(owner)) {
        const QRect part(toPicture(area.topLeft()),
                         toPicture(area.topLeft() + QPoint(area.width(), area.height())) -
                             QPoint(1, 1));
        auto overlay = std::make_unique<FrozenScreenOverlay>(picture.copy(part), area);
        connect(overlay.get(), &FrozenScreenOverlay::pressed, this, &FrozenScreen::pressed);
        overlay->show();
        m_overlays.push_back(std::move(overlay));
    }
    owner.raise();
}

FrozenScreen::~FrozenScreen() = default;

QPoint FrozenScreen::toPicture(QPoint desktopPoint) const {
    const QPoint offset = desktopPoint - m_desktop.topLeft();
    return {static_cast<int>(std::floor(offset.x() * m_scaleX)),
            static_cast<int>(std::floor(offset.y() * m_scaleY))};
}
