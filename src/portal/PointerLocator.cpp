#include "PointerLocator.h"

#include "PortalLog.h"

#include <cstdlib>

namespace {

bool withinAPixel(QPoint a, QPoint b) {
    return std::abs(a.x() - b.x()) <= 1 && std::abs(a.y() - b.y()) <= 1;
}

} // namespace

PointerLocator::PointerLocator(std::function<Clock::time_point()> now) : m_now(std::move(now)) {}

void PointerLocator::reset(std::vector<bool> certain) {
    m_streams.assign(certain.size(), {});
    for (std::size_t i = 0; i < certain.size(); ++i) {
        m_streams[i].confirmed = certain[i];
    }
    m_layout = {};
    m_lastKnown.reset();
    m_disagreeingSince.reset();
    m_givenUp = false;
}

void PointerLocator::xwaylandMoved(std::chrono::milliseconds serverTime) {
    // When the server saw the move, not when a busy window got to it: the server's clock
    // against this one, by the quickest delivery seen (again after its 32-bit clock wraps).
    const Clock::duration offset = m_now().time_since_epoch() - serverTime;
    if (!m_serverOffset || offset < *m_serverOffset ||
        offset > *m_serverOffset + std::chrono::hours(1)) {
        m_serverOffset = offset;
    }
    m_xwaylandMoved = Clock::time_point(serverTime + *m_serverOffset);
}

void PointerLocator::streamReported(int stream, std::optional<QPoint> at, Clock::time_point when) {
    const auto index = static_cast<std::size_t>(stream);
    if (stream < 0 || index >= m_streams.size()) {
        return;
    }
    std::optional<Report>& held = m_streams[index].report;
    if (!held || held->when <= when) {
        held = Report{at, when};
    }
}

bool PointerLocator::isConfirmed(int stream) const {
    const auto index = static_cast<std::size_t>(stream);
    return stream >= 0 && index < m_streams.size() && m_streams[index].confirmed;
}

std::optional<StreamPixel> PointerLocator::newestSeen(Clock::time_point& when) const {
    std::optional<StreamPixel> newest;
    when = {};
    for (std::size_t i = 0; i < m_streams.size(); ++i) {
        const std::optional<Report>& report = m_streams[i].report;
        if (!report || !report->at || (newest && report->when <= when)) {
            continue;
        }
        if (const auto owner = m_layout.owner({static_cast<int>(i), *report->at})) {
            newest = owner;
            when = report->when;
        }
    }
    return newest;
}

bool PointerLocator::xwaylandLagsBehind(const std::optional<StreamPixel>& seen,
                                        Clock::time_point when, QPoint pointer) const {
    if (!seen || !isConfirmed(seen->stream) || when <= m_xwaylandMoved) {
        return false;
    }
    const std::optional<QPoint> shown = m_layout.toScreen(*seen);
    return shown && !withinAPixel(*shown, pointer);
}

std::optional<ScreenCast::Place> PointerLocator::placeUnder(QPoint pointer, bool known) {
    if (m_givenUp) {
        return std::nullopt;
    }
    // A pointer that leaves Tintor's windows in one jump leaves Xwayland its last place inside
    // them: a confirmed stream that has seen it move since knows better.
    Clock::time_point when;
    const std::optional<StreamPixel> seen = newestSeen(when);
    known = known && !xwaylandLagsBehind(seen, when, pointer);
    if (known) {
        compare(seen, pointer);
    }
    const std::optional<StreamPixel> pixel = m_givenUp ? std::nullopt
                                             : known   ? m_layout.locate(pointer)
                                                       : seen;
    if (!pixel || !isConfirmed(pixel->stream)) {
        return std::nullopt;
    }
    const std::optional<QPoint> screen = known ? pointer : m_layout.toScreen(*pixel);
    return screen ? std::optional(ScreenCast::Place{*screen, *pixel}) : std::nullopt;
}

void PointerLocator::compare(const std::optional<StreamPixel>& seen, QPoint screen) {
    if (!seen) {
        return; // nothing to compare with yet
    }
    // A screen pixel either way: the streams report the pointer's place a frame late.
    const std::optional<QPoint> shown = m_layout.toScreen(*seen);
    if (shown && withinAPixel(*shown, screen)) {
        m_streams[static_cast<std::size_t>(seen->stream)].confirmed = true;
        m_disagreeingSince.reset();
    } else if (!m_disagreeingSince || m_lastKnown != screen) {
        m_disagreeingSince = m_now();
    }
    m_lastKnown = screen;
    if (m_disagreeingSince && m_now() - *m_disagreeingSince >= patience) {
        qCWarning(lcPortal) << "the screen cast shows the pointer at" << seen->pixel << "on stream"
                            << seen->stream << "while it is at" << screen;
        m_givenUp = true;
    }
}
