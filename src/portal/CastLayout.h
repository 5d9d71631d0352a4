#pragma once

#include "PortalStream.h"
#include "Result.h"
#include "StreamPixel.h"

#include <QList>
#include <QRect>

#include <optional>
#include <vector>

// Where each stream of a cast lies on the screen, in the screen's device pixels, and how its
// picture's pixels map onto it.  A desktop that says where its monitors are (GNOME: position
// and size) is matched to the screen's outputs exactly; one that does not (KDE) is matched to
// them by shape, left to right.
class CastLayout {
public:
    // A stream's monitor: its place on the screen, if it has one, and its picture's size
    // (empty until a picture has come).
    struct Monitor {
        std::optional<QRect> screen;
        QSize picture;
    };
    // Where a stream's monitor was placed, and whether that is certain: a place the screen
    // does not have, or a guess among monitors of one shape, is not.
    struct Placement {
        std::optional<QRect> screen;
        bool certain = false;
    };

    CastLayout() = default;
    explicit CastLayout(std::vector<Monitor> monitors) : m_monitors(std::move(monitors)) {}

    [[nodiscard]] static std::vector<Placement> place(const QList<PortalStream>& streams,
                                                      const QList<QRect>& outputs);
    // Whether the desktop's account of its streams can be taken: sizes no screen has (none,
    // or beyond 16384), a place before the screen's origin, or one node for two streams
    // cannot.
    static Result<void> check(const QList<PortalStream>& streams);
    // Whether a picture has the shape its stream was said to have (a monitor scaled by the
    // desktop keeps its proportions); one not yet come, or not said, fits.
    [[nodiscard]] static bool fits(QSize picture, std::optional<QSize> said);

    // The stream pixel that shows a screen point; nothing off every stream with a picture.
    [[nodiscard]] std::optional<StreamPixel> locate(QPoint screen) const;
    // The screen point a stream's pixel shows, also for one just off its picture; nothing
    // for a stream without a place or a picture.
    [[nodiscard]] std::optional<QPoint> toScreen(const StreamPixel& pixel) const;
    // The same place on the stream whose picture holds it: a stream may report the pointer
    // just off its own picture, over the monitor beside it.  Nothing off every picture.
    [[nodiscard]] std::optional<StreamPixel> owner(const StreamPixel& pixel) const;
    // `steps` pixels of the picture away from `from`: onto the monitor beside where there is
    // one, else stopping at the picture's edge.
    [[nodiscard]] StreamPixel moved(const StreamPixel& from, QPoint steps) const;

private:
    [[nodiscard]] const Monitor* monitor(int stream) const;
    [[nodiscard]] QSize pictureSize(int stream) const;

    std::vector<Monitor> m_monitors;
};
