#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>

// The fake portal (TINTOR_FAKE_PORTAL), started on a bus with the given arguments: the
// session's, or a private bus's at `address`.  Its report lines ("call Screenshot PATH",
// "closed PATH", "answered PATH") are kept for the test to look at.
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
    // Returns once the portal has handled every message sent to it before, and the test
    // has every line it printed for them and every signal it sent on their account.
    bool sync();
    // Sends the answers a --held portal keeps; true once they have all reached the test.
    bool answer();

private:
    QProcess m_process;
    QDBusConnection m_bus;
    QStringList m_lines;
    bool m_ready = false;
};
