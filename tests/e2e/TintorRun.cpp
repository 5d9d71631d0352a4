#include "TintorRun.h"

#include <QDir>
#include <QFile>
#include <QThread>

QString TintorRun::program() {
    return qEnvironmentVariable("TINTOR_EXE", QStringLiteral(TINTOR_EXE));
}

QProcessEnvironment TintorRun::environment(const QStringList& extra) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    for (const QString& pair : extra) {
        const auto split = pair.indexOf(QLatin1Char('='));
        env.insert(pair.left(split), pair.mid(split + 1));
    }
    return env;
}

bool TintorRun::writeLauncher(const QString& folder, const QByteArray& script) {
    QFile launcher(QDir(folder).filePath(QStringLiteral("xdg-open")));
    return QDir().mkpath(folder) && launcher.open(QIODevice::WriteOnly) &&
           launcher.write(script) == script.size() &&
           launcher.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner);
}

TintorRun::TintorRun(XSession& x, const QStringList& extra, const QString& pathFirst,
                     const QStringList& arguments)
    : m_x(x) {
    QStringList pairs = extra;
    if (!pathFirst.isEmpty()) {
        pairs << QStringLiteral("PATH=") + pathFirst + QLatin1Char(':') +
                     qEnvironmentVariable("PATH");
    }
    // Screen readers see it only where a test gives it an accessibility bus.
    pairs << QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1");
    m_process.setProcessEnvironment(environment(pairs));
    m_process.start(program(), arguments);
    if (m_process.waitForStarted()) {
        m_main = m_x.waitForWindow(m_process.processId(), 30000).value_or(0);
    }
    if (m_main == 0) {
        qWarning("no window; stderr: %s", m_process.readAllStandardError().constData());
        return;
    }
    m_scale = std::max(1, m_x.clientSize(m_main).width() / MainWindowAt::Size.width());
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

std::optional<Window> TintorRun::open(QPoint button, const QString& title) {
    click(button);
    return waitForTitle(title, 10000);
}

std::optional<Window> TintorRun::openAbout() {
    const std::optional<Window> about = open(MainWindowAt::AboutButton, Title::About);
    QThread::msleep(200); // its first painting holds the pointer
    return about;
}

void TintorRun::clickIn(Window window, QPoint client, int button) {
    const QPoint at = m_x.rootPosition(window) + client * m_scale;
    m_x.clickAt(at.x(), at.y(), button);
}

std::optional<Rgb> TintorRun::swatch() {
    const QPoint at = MainWindowAt::ColourSwatch * m_scale;
    return m_x.pixel(m_main, at.x(), at.y());
}

QStringList TintorRun::accessibleNames() {
    QProcess reader;
    reader.start(QStringLiteral(ACCESSIBLE_NAMES), {QString::number(m_process.processId())});
    reader.waitForFinished(20000);
    return QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'));
}

int TintorRun::close(int timeoutMs) {
    m_x.requestClose(m_main);
    if (!m_process.waitForFinished(timeoutMs) || m_process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return m_process.exitCode();
}
