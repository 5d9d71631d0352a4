#pragma once

#include "CastFrameSet.h"
#include "ScreenCastPortal.h"

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
    struct Located {
        int stream = 0;
        QPoint pixel; // in the stream's own pixels
    };

    CastLayout() = default;
    CastLayout(const QList<ScreenCastPortal::Stream>& streams, const QList<QRect>& outputs,
               std::shared_ptr<const CastFrameSet> frames);

    // The stream and pixel that show a screen point; nothing off every stream with a frame.
    [[nodiscard]] std::optional<Located> locate(QPoint screen) const;
    // The screen point a stream's pixel shows; nothing when it is not on that stream's place.
    [[nodiscard]] std::optional<QPoint> toScreen(const Located& located) const;
    // Whether two places of the stream lie within a screen pixel of each other.
    [[nodiscard]] bool near(const Located& a, const Located& b) const;

    [[nodiscard]] bool isConfirmed(int stream) const;
    void confirm(int stream);

private:
    struct Place {
        QRect screen;
        bool confirmed = false;
    };
    [[nodiscard]] QSize frameSize(int stream) const;

    std::vector<std::optional<Place>> m_places;
    std::shared_ptr<const CastFrameSet> m_frames;
};
