#include "TintorRun.h"

#include "ProgramEnvironment.h"

TintorRun::TintorRun(XSession& x, const QStringList& extra, const QString& pathFirst) : m_x(x) {
    QStringList environment = extra;
    if (!pathFirst.isEmpty()) {
        environment << QStringLiteral("PATH=") + pathFirst + QLatin1Char(':') +
                           qEnvironmentVariable("PATH");
    }
    m_process.setProcessEnvironment(ProgramEnvironment(environment));
    m_process.start(qEnvironmentVariable("TINTOR_EXE", QStringLiteral(TINTOR_EXE)), {});
    if (m_process.waitForStarted()) {
        m_main = m_x.waitForWindow(m_process.processId(), 10000).value_or(0);
    }
}

TintorRun::~TintorRun() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

std::optional<Window> TintorRun::waitForTitle(const QString& title, int timeoutMs) {
    return m_x.waitForWindow(m_process.processId(), title, timeoutMs);
}

void TintorRun::clickIn(Window window, QPoint client, int button) {
    const QPoint origin = m_x.rootPosition(window);
    m_x.clickAt(origin.x() + client.x(), origin.y() + client.y(), button);
}

Rgb TintorRun::swatch() {
    return m_x.pixel(m_main, MainWindowAt::ColourSwatch.x(), MainWindowAt::ColourSwatch.y());
}

int TintorRun::close(int timeoutMs) {
    m_x.requestClose(m_main);
    if (!m_process.waitForFinished(timeoutMs) || m_process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return m_process.exitCode();
}
