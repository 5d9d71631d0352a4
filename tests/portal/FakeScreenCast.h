#pragma once

#include <QDBusVirtualObject>
#include <QStringList>
#include <functional>
#include <QVariant>

// The ScreenCast interface of the fake portal, answering as GNOME's does: no dialog, the
// streams a test names (a test's own PipeWire producer), a restore token, a connection to
// the session's PipeWire.  Reports what it was asked on stdout ("select OPTIONS",
// "closed session"); its Fake.CloseSession method ends the session as the desktop's
// indicator would.  Everything else goes to the portal it stands before.
class FakeScreenCast : public QDBusVirtualObject {
    Q_OBJECT
public:
    struct Options {
        uint cursorModes = 7;
        QStringList streams; // "NODE@X,Y,WxH" (placed) or "NODE:WxH" (size only)
        bool refuse = false; // the user says no in the dialog
        bool held = false;   // SelectSources and Start wait for Answer, each ("held METHOD")
        QVariant token;      // given in place of "fake-token-N", when valid
    };

    FakeScreenCast(Options options, QDBusVirtualObject& rest, QObject* parent = nullptr);

    QString introspect(const QString& path) const override;
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

private:
    void answer(const QDBusMessage& message, const QDBusConnection& connection, uint response,
                const QVariantMap& results, bool now = false);
    [[nodiscard]] QVariantMap started() const;

    Options m_options;
    QDBusVirtualObject& m_rest;
    QString m_session;
    mutable int m_tokens = 0;
    QList<std::function<void()>> m_held;
};
