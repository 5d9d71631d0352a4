#pragma once

#include "PickKeys.h"
#include "PointerSample.h"
#include "Rgb.h"

#include <QObject>

class PickSession;
class PickSource;
class Platform;
class QWidget;
class ScreenSampler;

// Pick mode, from "Pick From Screen" to the press, key or dialog that ends it: it owns the
// pick session, the pick's keys, the pointer captured until the ending press is released,
// and the colour to put back should the user cancel.  The window starts it, shows what it
// reads and listens for its end.
class PickMode : public QObject {
    Q_OBJECT
public:
    // Picks for `window`, whose presses end a pick, through `source`.
    PickMode(Platform& platform, PickSource& source, QWidget& window);
    ~PickMode() override;

    [[nodiscard]] bool isActive() const { return m_session != nullptr; }

    // Begins a pick through `screen`; Escape later puts back `colourBefore`.
    void start(Rgb colourBefore, ScreenSampler& screen);
    [[nodiscard]] Rgb colourBefore() const { return m_colourBefore; }
    // Ends the pick keeping the colour shown.  With a pressed button the capture lasts until
    // its release, so the release does not land in the program under the pointer.
    void stop(Qt::MouseButton heldUntilRelease = Qt::NoButton);
    // What the follower shows while picking, the pointer being at `pointer`.
    [[nodiscard]] PointerSample follow(QPoint pointer);

signals:
    // A colour given at once, or the colour from before put back by Escape.
    void picked(Rgb colour);
    // The keys moved the point read: it should be shown before the next key may end the pick.
    void pointMoved();
    // The pick is over; the window is active again once the event loop turns.  `kept` when
    // it ended keeping the colour it shows, not cancelled by Escape nor failed.
    void stopped(bool kept);
    // The screen could not be read; `reason` says why.  The pick is over.
    void failed(const QString& reason);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cancel();
    void end(Qt::MouseButton heldUntilRelease, bool kept);

    Platform& m_platform;
    PickSource& m_source;
    QWidget& m_window;
    PickKeys m_keys;
    // The pick under way, a child of the window; null when not picking.
    PickSession* m_session = nullptr;
    Rgb m_colourBefore;
    Qt::MouseButton m_heldUntilRelease = Qt::NoButton;
};
