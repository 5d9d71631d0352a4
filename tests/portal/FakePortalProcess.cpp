#include "FakePortalProcess.h"

#include <QDeadlineTimer>

#include <sys/prctl.h>

#include <QProcessEnvironment>
#include <csignal>

FakePortalProcess::FakePortalProcess(const PrivateBus& bus, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that crashes takes its helpers with it.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(QStringLiteral(FAKE_PORTAL), arguments);
    m_ready = waitForLine(QStringLiteral("ready")) == QLatin1String("ready");
}

FakePortalProcess::~FakePortalProcess() {
    m_process.terminate();
    m_process.waitForFinished(3000);
}

QString FakePortalProcess::waitForLine(const QString& prefix) {
    const QDeadlineTimer deadline(5000);
    while (true) {
        while (m_process.canReadLine()) {
            m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
        }
        for (const QString& line : std::as_const(m_lines)) {
            if (line.startsWith(prefix)) {
                return line;
            }
        }
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            return {};
        }
    }
}
