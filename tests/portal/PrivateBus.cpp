#include "PrivateBus.h"

#include <QDeadlineTimer>

#include <sys/prctl.h>

#include <QFile>
#include <csignal>

namespace {

const char* const busConfig =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-BUS Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

} // namespace

PrivateBus::PrivateBus() {
    const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write(QString::fromLatin1(busConfig).arg(m_dir.path()).toUtf8());
    file.close();
    // A test that crashes takes its helpers with it.
    m_daemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--nofork"), QStringLiteral("--nosyslog"),
                    QStringLiteral("--print-address=1"),
                    QStringLiteral("--config-file=") + config});
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
