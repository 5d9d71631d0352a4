#include "CastPick.h"

#include "CastPickOverlay.h"
#include "Platform.h"
#include "ScreenAround.h"
#include "ScreenCast.h"

#include <QCursor>
#include <QWidget>

CastPick::CastPick(Platform& platform, ScreenCast& cast, QWidget& window)
    : PickSession(&window), m_platform(platform), m_cast(cast), m_window(window),
      m_pointer(QCursor::pos()) {}

CastPick::~CastPick() = default;

void CastPick::start() {
    // A cast that ends takes the pick with it; the cast's own owner says why.
    connect(&m_cast, &ScreenCast::failed, this, &PickSession::finished);
    connect(&m_cast, &ScreenCast::closedByDesktop, this, &PickSession::finished);
    for (const QRect& area : screenAround(m_window)) {
        auto overlay = std::make_unique<CastPickOverlay>(area);
        // Queued: the press is still being delivered to the overlay that ending removes.
        connect(overlay.get(), &CastPickOverlay::pressed, this, &PickSession::finished,
                Qt::QueuedConnection);
        overlay->show();
        m_overlays.push_back(std::move(overlay));
    }
    m_window.raise();
    m_window.activateWindow();
    m_platform.capturePointer(m_window);
}

PointerSample CastPick::follow(QPoint pointer) {
    if (m_lastPointer != pointer) {
        m_moved = {}; // the pointer's own move takes the point read back under it
    }
    m_lastPointer = pointer;
    // Xwayland knows where the pointer is only once it has moved over the overlays; before
    // that it may give a made-up place inside the window, and only the cast knows.
    std::optional<ScreenCast::Place> place =
        m_cast.isOpen() ? m_cast.placeUnder(pointer, m_pointer.knows(QCursor::pos()))
                        : std::nullopt;
    if (!place) {
        return {};
    }
    if (!m_moved.isNull()) {
        place = m_cast.moved(*place, m_moved);
    }
    return m_cast.sampleAt(*place);
}

void CastPick::movePoint(QPoint offset) {
    m_moved += offset;
}

void CastPick::end() {
    disconnect(&m_cast, nullptr, this, nullptr);
    m_overlays.clear();
}
