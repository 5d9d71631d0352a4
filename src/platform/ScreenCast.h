#pragma once

#include "Platform.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

// The screen as the desktop casts it to Tintor, with the user's consent: every monitor as a
// live stream, with the pointer's place in it (a Wayland session's ScreenCast portal, where
// the desktop offers the pointer as metadata).  The cast is open only while it is used.
//
// Two kinds of points: screen points, in the device pixels of the whole screen as the rest
// of Tintor has them (Xwayland's); and frame points, which only screenReader() reads: a
// monitor scaled by 2 is read in its own pixels there, so its frame points are finer.
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

    struct Pointer {
        QPoint screen; // where the pointer is, as a screen point
        QPoint frame;  // the frame point under it
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

    // Where the newest frames show the pointer; nothing while it is on no stream, or on one
    // whose place on the screen is not yet confirmed.
    [[nodiscard]] virtual std::optional<Pointer> pointer() = 0;
    // The frame point under a screen point; nothing off every stream.
    [[nodiscard]] virtual std::optional<QPoint> toFrame(QPoint screen) const = 0;
    // `screen` is where the pointer truly is (over Tintor's own windows the windowing system
    // knows): the streams must show it there.  Ends the cast with failed(PlaceMismatch) when
    // they keep showing it elsewhere while it stays put.
    virtual void confirmPlace(QPoint screen) = 0;
    // Reads the newest frames at frame points, for as long as the cast lives; while closed,
    // everything reads off the screen.
    [[nodiscard]] virtual std::unique_ptr<ScreenReader> screenReader() = 0;

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
