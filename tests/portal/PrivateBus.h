#pragma once

#include <QDBusConnection>
#include <QProcess>

// A session bus of the test's own, with no services to start on demand: a portal the
// test does not run is missing, not started behind its back.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    [[nodiscard]] bool isRunning() const { return m_connection.isConnected(); }
    [[nodiscard]] QString address() const { return m_address; }
    [[nodiscard]] QDBusConnection connection() const { return m_connection; }

private:
    QProcess m_daemon;
    QString m_address;
    QDBusConnection m_connection{QString()};
};
