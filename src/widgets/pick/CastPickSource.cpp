#include "CastPickSource.h"

#include "CastPick.h"
#include "ScreenCast.h"
#include "ScreenSampler.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

CastPickSource::CastPickSource(Platform& platform, ScreenCast& cast,
                               std::unique_ptr<PickSource> fallback)
    : m_platform(platform), m_cast(cast), m_fallback(std::move(fallback)),
      m_pointer(QCursor::pos()) {}

CastPickSource::~CastPickSource() = default;

PointerSample CastPickSource::follow(QPoint pointer, ScreenSampler& screen) {
    // Over Tintor's own windows Xwayland knows where the pointer is.
    const QPoint logical = QCursor::pos();
    const QWidget* own = QApplication::topLevelAt(logical);
    const bool overOwn = own != nullptr && own->underMouse() && m_pointer.knows(logical);
    const std::optional<ScreenCast::Place> place =
        m_cast.isOpen() ? m_cast.placeUnder(pointer, overOwn) : std::nullopt;
    if (!place) {
        // Off every monitor the cast is sure of, Tintor's own windows show themselves as
        // without the cast; elsewhere nothing is shown.
        return !m_cast.isOpen() || overOwn ? m_fallback->follow(pointer, screen) : PointerSample{};
    }
    return m_cast.sampleAt(*place);
}

PickSession* CastPickSource::makePick(QWidget& window, ScreenSampler& screen) {
    if (!m_cast.isOpen()) {
        return m_fallback->makePick(window, screen);
    }
    return new CastPick(m_platform, m_cast, window);
}
