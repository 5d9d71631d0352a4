#pragma once

#include "Result.h"
#include "ScreenCastSession.h"
#include "StreamFrames.h"
#include "StreamPixel.h"

#include <QList>
#include <QRect>

#include <memory>
#include <optional>
#include <vector>

// Where each stream of a cast lies on the screen, in the screen's device pixels.  A desktop
// that says where its monitors are (GNOME: position and size) is matched to the screen's
// outputs exactly; one that does not (KDE) is matched to them by shape, left to right.  A
// place the screen does not have, or a guess among monitors of one shape, counts only once
// the pointer's place confirms it.
class CastLayout {
public:
    CastLayout() = default;
    CastLayout(const QList<ScreenCastSession::Stream>& streams, const QList<QRect>& outputs,
               std::vector<std::shared_ptr<const StreamFrames>> frames);

    // Whether the desktop's account of its streams can be taken: sizes no screen has (none,
    // or beyond 16384), a place before the screen's origin, or one node for two streams
    // cannot.
    static Result<void> check(const QList<ScreenCastSession::Stream>& streams);
    // Whether every picture so far has the shape its stream was said to have.
    [[nodiscard]] bool picturesFit() const;

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

    [[nodiscard]] bool isConfirmed(int stream) const;
    void confirm(int stream);

private:
    struct Place {
        QRect screen;
        bool confirmed = false;
    };
    [[nodiscard]] QSize pictureSize(int stream) const;
    [[nodiscard]] const Place* place(int stream) const;

    std::vector<std::optional<Place>> m_places;
    std::vector<std::optional<QSize>> m_said; // each stream's size as the desktop gave it
    std::vector<std::shared_ptr<const StreamFrames>> m_frames;
};
