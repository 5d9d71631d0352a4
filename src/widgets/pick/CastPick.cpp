#include "CastPick.h"

#include "LiveScreenOverlay.h"
#include "Platform.h"
#include "ScreenAround.h"
#include "ScreenCast.h"

#include <QCursor>
#include <QWidget>

CastPick::CastPick(Platform& platform, ScreenCast& cast, QWidget& window, SamplingMethod method)
    : PickSession(&window), m_platform(platform), m_cast(cast), m_window(window),
      m_frames(cast.screenReader()), m_pointer(QCursor::pos()) {
    m_frames.setMethod(method);
}

CastPick::~CastPick() = default;

void CastPick::start() {
    // A cast that ends takes the pick with it; the cast's own owner says why.
    connect(&m_cast, &ScreenCast::failed, this, &PickSession::finished);
    connect(&m_cast, &ScreenCast::closedByDesktop, this, &PickSession::finished);
    for (const QRect& area : screenAround(m_window)) {
        auto overlay = std::make_unique<LiveScreenOverlay>(area);
        // Queued: the press is still being delivered to the overlay that ending removes.
        connect(overlay.get(), &LiveScreenOverlay::pressed, this, &PickSession::finished,
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
    // The cast shows where the pointer truly is.  Xwayland knows it only once the pointer
    // has moved over the overlays; before that it may give a made-up place inside the window.
    std::optional<ScreenCast::Pointer> place = m_cast.pointer();
    if (m_pointer.knows(QCursor::pos())) {
        m_cast.confirmPlace(pointer);
        const std::optional<QPoint> frame = m_cast.toFrame(pointer);
        if (!place && frame) {
            place = ScreenCast::Pointer{pointer, *frame};
        }
    }
    if (!place || !m_cast.isOpen()) {
        return {};
    }
    PointerSample sample = m_frames.sampleAt(place->frame + m_moved);
    sample.position = place->screen + m_moved;
    return sample;
}

void CastPick::movePoint(QPoint offset) {
    m_moved += offset;
}

void CastPick::end() {
    disconnect(&m_cast, nullptr, this, nullptr);
    m_overlays.clear();
}
