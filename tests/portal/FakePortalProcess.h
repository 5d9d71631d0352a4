#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>

// The fake portal (TINTOR_FAKE_PORTAL), started on a bus with the given arguments: the
// session's, or a private bus's at `address`.  Its report lines ("call Screenshot PATH",
// "closed PATH") are kept for the test to look at.
class FakePortalProcess {
public:
    explicit FakePortalProcess(const QStringList& arguments,
                               const QDBusConnection& bus = QDBusConnection::sessionBus(),
                               const QString& address = {});
    ~FakePortalProcess();
    FakePortalProcess(const FakePortalProcess&) = delete;
    FakePortalProcess& operator=(const FakePortalProcess&) = delete;

    [[nodiscard]] bool isReady() const { return m_ready; }
    // Waits up to `timeout` ms for a report line starting with prefix; returns it, taken
    // from the lines kept, or nothing.
    QString waitForLine(const QString& prefix, int timeout = 5000);
    // Waits for a call of `method` ("Screenshot", "PickColor") and for its handle to reach
    // the test; returns the report line, or nothing.
    QString waitForCall(const QString& method);
    // Returns once the test has all the portal printed and sent for earlier messages.
    bool sync() { return tell(QStringLiteral("Sync")); }
    // Sends the answers that --held keeps, once what the test asked of the bus is there.
    bool answer() { return sync() && tell(QStringLiteral("Answer")); }
    // Ends the screen-cast session as the desktop's sharing indicator would.
    bool closeSession() { return tell(QStringLiteral("CloseSession")); }

private:
    bool tell(const QString& method);

    QProcess m_process;
    QDBusConnection m_bus;
    QStringList m_lines;
    bool m_ready = false;
};
