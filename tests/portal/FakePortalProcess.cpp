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

QString FakePortalProcess::waitForCall(const QString& method) {
    const QString call = waitForLine(QStringLiteral("call ") + method + QLatin1Char(' '));
    // Files are stamped from the coarse clock; once it has ticked, a file written is newer
    // than the request, as the portal's own screenshot would be.
    const auto tick = [] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        return std::pair(now.tv_sec, now.tv_nsec);
    };
    for (const auto asked = tick(); tick() == asked;) {
        QThread::usleep(500);
    }
    return call.isEmpty() || !sync() ? QString() : call;
}

bool FakePortalProcess::tell(const QString& method) {
    const QDBusMessage reply =
        m_bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.portal.Desktop"),
                                                  QStringLiteral("/org/freedesktop/portal/desktop"),
                                                  QStringLiteral("tintor.test.Fake"), method));
    // The signals that came before the reply are delivered from the event loop; what was
    // printed before it is in the pipe already.
    QCoreApplication::processEvents();
    while (m_process.waitForReadyRead(0)) {
    }
    return reply.type() == QDBusMessage::ReplyMessage;
}
