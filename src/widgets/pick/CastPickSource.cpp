#include "CastPickSource.h"

#include "CastPick.h"
#include "ScreenCast.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

CastPickSource::CastPickSource(Platform& platform, ScreenCast& cast,
                               std::unique_ptr<PickSource> fallback)
    : m_platform(platform), m_cast(cast), m_fallback(std::move(fallback)),
      m_frames(cast.screenReader()), m_pointer(QCursor::pos()) {}

CastPickSource::~CastPickSource() = default;

PointerSample CastPickSource::follow(QPoint pointer, ScreenSampler& screen) {
    // Over Tintor's own windows Xwayland knows where the pointer is: the cast must agree.
    const QPoint logical = QCursor::pos();
    const QWidget* own = QApplication::topLevelAt(logical);
    const bool overOwn = own != nullptr && own->underMouse() && m_pointer.knows(logical);
    if (overOwn && m_cast.isOpen()) {
        m_cast.confirmPlace(pointer);
    }
    if (!m_cast.isOpen()) {
        return m_fallback->follow(pointer, screen);
    }
    m_frames.setMethod(screen.method());
    // Elsewhere only the cast knows; while it is not sure, nothing is shown.
    std::optional<ScreenCast::Pointer> place = m_cast.pointer();
    if (overOwn) {
        // A monitor the cast is not yet sure of: the window shows itself, as without it.
        const std::optional<QPoint> frame = m_cast.toFrame(pointer);
        if (!frame) {
            return m_fallback->follow(pointer, screen);
        }
        place = ScreenCast::Pointer{pointer, *frame};
    }
    if (!place) {
        return {};
    }
    PointerSample sample = m_frames.sampleAt(place->frame);
    sample.position = place->screen;
    sample.colour.reset(); // following is not picking
    return sample;
}

PickSession* CastPickSource::makePick(QWidget& window, ScreenSampler& screen) {
    if (!m_cast.isOpen()) {
        return m_fallback->makePick(window, screen);
    }
    return new CastPick(m_platform, m_cast, window, screen.method());
}
