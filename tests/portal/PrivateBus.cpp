#include "PrivateBus.h"

#include <QDeadlineTimer>

#include <sys/prctl.h>

#include <csignal>

PrivateBus::PrivateBus() {
    // A test that crashes takes its helpers with it.
    m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--nofork"), QStringLiteral("--nosyslog"),
                    QStringLiteral("--print-address=1"),
                    QStringLiteral("--config-file=" SESSION_BUS_CONFIG)});
    const QDeadlineTimer deadline(5000);
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (!m_address.isEmpty()) {
        m_connection = QDBusConnection::connectToBus(m_address, QStringLiteral("tintor-test-bus"));
    }
}

PrivateBus::~PrivateBus() {
    QDBusConnection::disconnectFromBus(QStringLiteral("tintor-test-bus"));
    m_daemon.terminate();
    m_daemon.waitForFinished(3000);
}
