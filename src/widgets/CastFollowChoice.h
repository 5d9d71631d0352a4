#pragma once

#include "ScreenCast.h"

#include <QObject>

class Platform;
class QAction;
class QWidget;
class SettingsStore;

// The choice to follow the pointer everywhere through the desktop's screen cast, and the
// cast's life.  The cast is open only while the choice is on and the window is not
// minimised, and it opens again with the desktop's token, so the desktop does not ask again
// and its sharing indicator lasts no longer than needed.  An end the user did not ask for
// turns the choice off, stores that, and says why.  While the desktop may be asking the user
// to share, the window gives way to its dialog.
class CastFollowChoice : public QObject {
    Q_OBJECT
public:
    CastFollowChoice(Platform& platform, ScreenCast& cast, SettingsStore& settings,
                     QWidget& window);

    // Offers the choice in `widget`'s context menu, where the desktop offers the cast.
    void offerIn(QWidget& widget);
    // What the coordinates say of the choice while they read `x:? y:?` over other programs'
    // windows; empty where it is not offered, or while the pointer is followed everywhere.
    [[nodiscard]] QString hint() const;

signals:
    // The follower went back to Tintor's own windows; `detail` says why.
    void stopped(const QString& text, const QString& detail);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(bool on);
    void openIfWanted();
    void turnOff(const QString& detail);
    void store(bool on);

    ScreenCast& m_cast;
    SettingsStore& m_settings;
    QWidget& m_window;
    QAction* m_action;
    bool m_opening = false;
};
