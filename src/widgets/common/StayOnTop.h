#pragma once

#include <QObject>
#include <QSet>

class Platform;
class QWidget;

// A window that stays on top of the others, except while a request of Tintor's may be
// showing the desktop's dialog (the screenshot permission, the screen cast's Share dialog):
// it must not cover the dialog the user is to answer.  It takes its place back once every
// such request is answered, dropped or gone.
class StayOnTop final : public QObject {
    Q_OBJECT
public:
    // The one of `window`, made on first use.
    static StayOnTop& of(Platform& platform, QWidget& window);

    // Whether `asker` has a request under way that may show a dialog; an asker destroyed
    // has none.
    void setAsking(const QObject& asker, bool asking);

private:
    StayOnTop(Platform& platform, QWidget& window);
    void forget(const QObject* asker);

    Platform& m_platform;
    QWidget& m_window;
    QSet<const QObject*> m_askers;
};
