#pragma once

#include "PointerSample.h"
#include "Sampling.h"
#include "StreamPixel.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

// The screen as the desktop casts it to Tintor, with the user's consent: every monitor as a
// live stream, with the pointer's place in it (a Wayland session's ScreenCast portal, where
// the desktop offers the pointer as metadata).  The cast is open only while it is used.
//
// Screen points are in the device pixels of the whole screen as the rest of Tintor has them
// (Xwayland's); what is read is a StreamPixel of one stream's own picture, so a monitor
// scaled by 2 is read at its real pixels.
class ScreenCast : public QObject {
    Q_OBJECT
public:
    enum class Failure {
        Unavailable,   // the desktop offers no screen cast with the pointer's place
        Refused,       // the user, or the desktop for them, did not share the screen
        Failed,        // the desktop ended the request some other way, or did not answer
        StreamFailed,  // the stream broke off or could not be read
        NoFrames,      // the desktop sent no picture in time
        PlaceMismatch, // the streams do not show the pointer where the screen has it
    };
    Q_ENUM(Failure)

    // A place read: the screen point to show and the stream's pixel under it.
    struct Place {
        QPoint screen;
        StreamPixel pixel;
    };

    using QObject::QObject;

    // Whether this desktop offers what the cast needs; false until it has said so
    // (offerKnown()).
    [[nodiscard]] virtual bool isOffered() const = 0;
    // Asks for every monitor; `token`, from an earlier opened(), lets the desktop skip its
    // dialog.  Ends in opened() once every stream shows a picture, or in failed().
    virtual void open(const QString& token) = 0;
    // Stops the cast and drops a request under way; no signal follows.
    virtual void close() = 0;
    [[nodiscard]] virtual bool isOpen() const = 0;

    // The one rule for where the point read lies under the pointer.  `pointer` is Xwayland's
    // place for it and `known` says whether that is real (over Tintor's own windows): then it
    // is the truth, which the streams must show too (when they keep showing the pointer
    // elsewhere while it stays put, the cast ends with failed(PlaceMismatch)), read on a
    // stream whose place is confirmed.  Elsewhere only the streams know.  Nothing while
    // neither does.
    [[nodiscard]] virtual std::optional<Place> placeUnder(QPoint pointer, bool known) = 0;
    // The place `steps` pixels of the picture away from `from`, as the arrow keys move it:
    // across onto the monitor beside, never off every monitor (it stops at the edge).
    [[nodiscard]] virtual Place moved(const Place& from, QPoint steps) const = 0;
    // The sampling method every read uses from now on, this cast's and the next.
    virtual void setMethod(SamplingMethod method) = 0;
    // The newest frames at `place` with the place's screen point; nothing is read once the
    // cast is closed.
    [[nodiscard]] virtual PointerSample sampleAt(const Place& place) = 0;

signals:
    void offerKnown(bool offered);
    // `token` opens the next cast without the dialog; empty when the desktop gave none.
    void opened(const QString& token);
    void failed(ScreenCast::Failure failure);
    // The user stopped the sharing from the desktop.
    void closedByDesktop();
    // Whether a request of open() may be showing the desktop's dialog now; false once it is
    // answered, or dropped by close().
    void askingUserChanged(bool asking);
};
