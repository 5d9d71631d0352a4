#include "FakePortalProcess.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QThread>

#include <sys/prctl.h>

#include <csignal>
#include <ctime>

FakePortalProcess::FakePortalProcess(const QStringList& arguments, const QDBusConnection& bus,
                                     const QString& address)
    : m_bus(bus) {
    if (!address.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        m_process.setProcessEnvironment(environment);
    }
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that crashes takes its helpers with it.
    m_process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(qEnvironmentVariable("TINTOR_FAKE_PORTAL"), arguments);
    m_ready = waitForLine(QStringLiteral("ready"), 10000) == QLatin1String("ready");
}

FakePortalProcess::~FakePortalProcess() {
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QString FakePortalProcess::waitForLine(const QString& prefix, int timeout) {
    const QDeadlineTimer deadline(timeout);
    while (true) {
        while (m_process.canReadLine()) {
            m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
        }
        for (qsizetype i = 0; i < m_lines.size(); ++i) {
            if (m_lines[i].startsWith(prefix)) {
                return m_lines.takeAt(i);
            }
        }
        if (deadline.hasExpired() || !m_process.waitForReadyRead(int(deadline.remainingTime()))) {
            return {};
        }
    }
}

bool FakePortalProcess::sync() {
    const QDBusMessage reply = m_bus.call(
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                       QStringLiteral("/org/freedesktop/portal/desktop"),
                                       QStringLiteral("tintor.test.Fake"), QStringLiteral("Sync")));
    // The signals that came before the reply are delivered from the event loop; what was
    // printed before it is in the pipe already.
    QCoreApplication::processEvents();
    while (m_process.waitForReadyRead(0)) {
    }
    return reply.type() == QDBusMessage::ReplyMessage;
}

QString FakePortalProcess::waitForCall(const QString& method) {
    const QString call = waitForLine(QStringLiteral("call ") + method + QLatin1Char(' '));
    if (call.isEmpty() || !sync()) {
        return {};
    }
    // Files are stamped from the coarse clock; once it has ticked, a file written is newer
    // than the request, as the portal's own screenshot would be.
    timespec asked{};
    timespec now{};
    clock_gettime(CLOCK_REALTIME_COARSE, &asked);
    do {
        QThread::usleep(500);
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
    } while (now.tv_sec == asked.tv_sec && now.tv_nsec == asked.tv_nsec);
    return call;
}

bool FakePortalProcess::answer() {
    // First what the test asked of the bus so far (a signal to listen to) reaches it.
    if (!sync()) {
        return false;
    }
    m_process.write("answer\n");
    return !waitForLine(QStringLiteral("answered ")).isEmpty() && sync();
}
