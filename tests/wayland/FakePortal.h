#pragma once

#include <QDBusVirtualObject>
#include <QString>
#include <array>

// A stand-in for org.freedesktop.portal.Desktop that answers Screenshot and PickColor as a
// test tells it, and reports on stdout what it was asked ("call", "closed" lines), so that
// tests can see requests made and closed.
class FakePortal : public QDBusVirtualObject {
    Q_OBJECT
public:
    // What one method does: answer with success, refuse (response 1), end otherwise
    // (response 2), never answer, or not exist at all.
    enum class Behaviour { Succeed, Refuse, Fail, Silent, Missing };

    struct Method {
        Behaviour behaviour = Behaviour::Missing;
        QString uri;                    // Screenshot's answer
        std::array<double, 3> colour{}; // PickColor's answer: red, green, blue, 0 to 1
    };

    FakePortal(Method screenshot, Method pickColour, bool otherHandle, QObject* parent = nullptr);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void answer(const Method& method, const QString& name, const QDBusMessage& message,
                const QDBusConnection& connection);
    QString handleFor(const QDBusMessage& message);

    Method m_screenshot;
    Method m_pickColour;
    bool m_otherHandle;
    int m_requests = 0;
};
