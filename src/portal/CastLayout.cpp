#include "CastLayout.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

// The largest picture a stream is asked for.
constexpr int largestSide = 16384;

// Same shape: a monitor scaled by the desktop keeps its proportions in its stream.
bool sameShape(QSize a, QSize b) {
    return std::abs(qint64(a.width()) * b.height() - qint64(a.height()) * b.width()) <=
           qint64(std::max(a.width(), a.height()));
}

// Rounded towards minus infinity, so that a pixel just before a picture maps just before
// its place.
int scaled(int value, int to, int from) {
    const qint64 product = qint64(value) * to;
    return int(product >= 0 ? product / from : -((-product + from - 1) / from));
}

QPoint scaled(QPoint point, QSize to, QSize from) {
    return {scaled(point.x(), to.width(), from.width()),
            scaled(point.y(), to.height(), from.height())};
}

} // namespace

std::vector<CastLayout::Placement> CastLayout::place(const QList<PortalStream>& streams,
                                                     const QList<QRect>& outputs) {
    std::vector<Placement> places(static_cast<std::size_t>(streams.size()));
    QList<QRect> free = outputs;
    std::sort(free.begin(), free.end(), [](const QRect& a, const QRect& b) {
        return std::pair(a.x(), a.y()) < std::pair(b.x(), b.y());
    });
    for (std::size_t i = 0; i < places.size(); ++i) {
        const PortalStream& stream = streams[static_cast<qsizetype>(i)];
        if (stream.position && stream.size) {
            const QRect said(*stream.position, *stream.size);
            // The desktop's place, certain only where the screen has it too.
            places[i] = Placement{said, free.removeOne(said)};
        }
    }
    // A monitor of a shape no other has is its stream's for certain; among monitors of one
    // shape, the order is a guess.
    const QList<QRect> unplaced = free;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto fits = [said = streams[static_cast<qsizetype>(i)].size](const QRect& output) {
            return !said || sameShape(output.size(), *said);
        };
        const auto match = std::find_if(free.begin(), free.end(), fits);
        if (!places[i].screen && match != free.end()) {
            places[i] =
                Placement{*match, std::count_if(unplaced.begin(), unplaced.end(), fits) == 1};
            free.erase(match);
        }
    }
    return places;
}

Result<void> CastLayout::check(const QList<PortalStream>& streams) {
    std::set<std::uint32_t> nodes;
    for (const PortalStream& stream : streams) {
        if (!nodes.insert(stream.node).second) {
            return Failure{QStringLiteral("node %1 given for two streams").arg(stream.node)};
        }
        if (stream.size &&
            (stream.size->width() <= 0 || stream.size->height() <= 0 ||
             stream.size->width() > largestSide || stream.size->height() > largestSide)) {
            return Failure{QStringLiteral("node %1 is %2x%3")
                               .arg(stream.node)
                               .arg(stream.size->width())
                               .arg(stream.size->height())};
        }
        if (stream.position && (stream.position->x() < 0 || stream.position->y() < 0)) {
            return Failure{QStringLiteral("node %1 lies at %2,%3")
                               .arg(stream.node)
                               .arg(stream.position->x())
                               .arg(stream.position->y())};
        }
    }
    return {};
}

bool CastLayout::fits(QSize picture, std::optional<QSize> said) {
    return !said || picture.isEmpty() || sameShape(picture, *said);
}

const CastLayout::Monitor* CastLayout::monitor(int stream) const {
    const auto index = static_cast<std::size_t>(stream);
    return stream >= 0 && index < m_monitors.size() ? &m_monitors[index] : nullptr;
}

QSize CastLayout::pictureSize(int stream) const {
    const Monitor* at = monitor(stream);
    return at != nullptr ? at->picture : QSize();
}

std::optional<StreamPixel> CastLayout::locate(QPoint screen) const {
    for (int stream = 0; stream < int(m_monitors.size()); ++stream) {
        const Monitor& at = m_monitors[std::size_t(stream)];
        if (at.screen && !at.picture.isEmpty() && at.screen->contains(screen)) {
            return StreamPixel{
                stream, scaled(screen - at.screen->topLeft(), at.picture, at.screen->size())};
        }
    }
    return std::nullopt;
}

std::optional<QPoint> CastLayout::toScreen(const StreamPixel& pixel) const {
    const Monitor* at = monitor(pixel.stream);
    if (at == nullptr || !at->screen || at->picture.isEmpty()) {
        return std::nullopt;
    }
    return at->screen->topLeft() + scaled(pixel.pixel, at->screen->size(), at->picture);
}

std::optional<StreamPixel> CastLayout::owner(const StreamPixel& pixel) const {
    if (QRect(QPoint(), pictureSize(pixel.stream)).contains(pixel.pixel)) {
        return pixel;
    }
    const std::optional<QPoint> screen = toScreen(pixel);
    return screen ? locate(*screen) : std::nullopt;
}

StreamPixel CastLayout::moved(const StreamPixel& from, QPoint steps) const {
    const StreamPixel to{from.stream, from.pixel + steps};
    if (const std::optional<StreamPixel> beside = owner(to)) {
        return *beside;
    }
    const QSize picture = pictureSize(from.stream);
    return {from.stream,
            {std::clamp(to.pixel.x(), 0, std::max(picture.width() - 1, 0)),
             std::clamp(to.pixel.y(), 0, std::max(picture.height() - 1, 0))}};
}
