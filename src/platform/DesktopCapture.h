#pragma once

#include "Rgb.h"

#include <QImage>
#include <QObject>

// Where no program may read the screen (a Wayland session), a pick goes through the
// desktop: a frozen picture of the whole screen, or failing that the desktop's own colour
// picker.  One request at a time; a new one replaces a pending one.
class DesktopCapture : public QObject {
    Q_OBJECT
public:
    enum class Refusal {
        Unavailable, // the desktop offers no such service
        Refused,     // the user, or the desktop for them, said no
        TimedOut,    // no answer in time
        Failed,      // the desktop ended the request some other way
    };
    Q_ENUM(Refusal)

    using QObject::QObject;

    // Ends in screenshotTaken() or failed().  The picture is in device pixels.
    virtual void takeScreenshot() = 0;
    // Ends in colourPicked() or failed().
    virtual void pickColour() = 0;
    // Drops the pending request: no signal follows for it.
    virtual void cancel() = 0;

signals:
    void screenshotTaken(const QImage& image);
    void colourPicked(Rgb colour);
    void failed(DesktopCapture::Refusal failure);
};
