#pragma once

#include <QDBusVirtualObject>
#include <QString>
#include <array>
#include <functional>

// A stand-in for org.freedesktop.portal.Desktop that answers Screenshot and PickColor as a
// test tells it, and reports on stdout what it was asked ("call", "closed" lines).  Like
// the pickers of mutter and KWin it takes note of Close and answers all the same.  Held, it
// keeps every answer, as a desktop does while the user reads its dialog, until a test calls
// its Answer method; Sync returns once every message before it is handled.
class FakePortal : public QDBusVirtualObject {
    Q_OBJECT
public:
    // What one method does: answer with success, refuse (response 1), end otherwise
    // (response 2), return a handle and never answer, never return from the call, or not
    // exist at all.
    enum class Behaviour { Succeed, Refuse, Fail, Silent, Unanswered, Missing };

    struct Method {
        Behaviour behaviour = Behaviour::Missing;
        QString uri;                    // Screenshot's answer
        std::array<double, 3> colour{}; // PickColor's answer: red, green, blue, 0 to 1
    };

    FakePortal(Method screenshot, Method pickColour, bool otherHandle, bool held,
               QObject* parent = nullptr);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void answer(const Method& method, const QString& name, const QDBusMessage& message,
                const QDBusConnection& connection);
    QString handleFor(const QDBusMessage& message);

    Method m_screenshot;
    Method m_pickColour;
    bool m_otherHandle;
    bool m_held;
    QList<std::function<void()>> m_answers;
    int m_requests = 0;
};
