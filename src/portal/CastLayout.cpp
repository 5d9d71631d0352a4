#include "CastLayout.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Same shape: a monitor scaled by the desktop keeps its proportions in its stream.
bool sameShape(QSize a, QSize b) {
    return std::abs(qint64(a.width()) * b.height() - qint64(a.height()) * b.width()) <=
           qint64(std::max(a.width(), a.height()));
}

} // namespace

CastLayout::CastLayout(const QList<ScreenCastPortal::Stream>& streams, const QList<QRect>& outputs,
                       std::shared_ptr<const CastFrameSet> frames)
    : m_places(static_cast<std::size_t>(streams.size())), m_frames(std::move(frames)) {
    QList<QRect> free = outputs;
    std::sort(free.begin(), free.end(), [](const QRect& a, const QRect& b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    });
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const auto& stream = streams[static_cast<qsizetype>(i)];
        if (stream.position && stream.size) {
            const QRect said(*stream.position, *stream.size);
            // The desktop's place, confirmed at once only where the screen has it too.
            m_places[i] = Place{said, free.removeOne(said)};
        }
    }
    // A monitor of a shape no other has is its stream's for certain; among monitors of one
    // shape, the order is a guess.
    const QList<QRect> unplaced = free;
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const auto& stream = streams[static_cast<qsizetype>(i)];
        const auto fits = [&stream](const QRect& output) {
            return !stream.size || sameShape(output.size(), *stream.size);
        };
        const auto match = std::find_if(free.begin(), free.end(), fits);
        if (!m_places[i] && match != free.end()) {
            m_places[i] = Place{*match, std::count_if(unplaced.begin(), unplaced.end(), fits) == 1};
            free.erase(match);
        }
    }
}

QSize CastLayout::frameSize(int stream) const {
    const StreamFrames* frames = m_frames ? m_frames->stream(stream) : nullptr;
    return frames != nullptr ? frames->size() : QSize();
}

std::optional<CastLayout::Located> CastLayout::locate(QPoint screen) const {
    for (std::size_t i = 0; i < m_places.size(); ++i) {
        const int stream = static_cast<int>(i);
        const QSize frame = frameSize(stream);
        if (!m_places[i] || frame.isEmpty() || !m_places[i]->screen.contains(screen)) {
            continue;
        }
        const QRect& place = m_places[i]->screen;
        const QPoint offset = screen - place.topLeft();
        return Located{stream,
                       {int(qint64(offset.x()) * frame.width() / place.width()),
                        int(qint64(offset.y()) * frame.height() / place.height())}};
    }
    return std::nullopt;
}

std::optional<QPoint> CastLayout::toScreen(const Located& located) const {
    const auto index = static_cast<std::size_t>(located.stream);
    const QSize frame = frameSize(located.stream);
    if (index >= m_places.size() || !m_places[index] || frame.isEmpty() ||
        !QRect(QPoint(), frame).contains(located.pixel)) {
        return std::nullopt;
    }
    const QRect& place = m_places[index]->screen;
    return place.topLeft() +
           QPoint(int(qint64(located.pixel.x()) * place.width() / frame.width()),
                  int(qint64(located.pixel.y()) * place.height() / frame.height()));
}

bool CastLayout::near(const Located& a, const Located& b) const {
    const auto index = static_cast<std::size_t>(a.stream);
    if (a.stream != b.stream || index >= m_places.size() || !m_places[index]) {
        return false;
    }
    const QSize frame = frameSize(a.stream);
    const QRect& place = m_places[index]->screen;
    // One screen pixel, in the stream's pixels, rounded up.
    const int slackX = (frame.width() + place.width() - 1) / std::max(place.width(), 1);
    const int slackY = (frame.height() + place.height() - 1) / std::max(place.height(), 1);
    return std::abs(a.pixel.x() - b.pixel.x()) <= slackX &&
           std::abs(a.pixel.y() - b.pixel.y()) <= slackY;
}

bool CastLayout::isConfirmed(int stream) const {
    const auto index = static_cast<std::size_t>(stream);
    return index < m_places.size() && m_places[index] && m_places[index]->confirmed;
}

void CastLayout::confirm(int stream) {
    const auto index = static_cast<std::size_t>(stream);
    if (index < m_places.size() && m_places[index]) {
        m_places[index]->confirmed = true;
    }
}
