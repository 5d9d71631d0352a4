// The built program when its surroundings misbehave: standard error closed, or a pipe
// that nobody reads, while warnings come, output that cannot be written, and a storm of failing
// links.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <tuple>
#include <unistd.h>

#include "TintorRun.h"

namespace {

QImage filled(QRgb colour) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Runs the program through the shell, so that `redirect` can close or divert its streams.
void startThroughShell(QProcess& process, const QString& redirect, const QStringList& arguments,
                       const QStringList& extra = {}) {
    process.setProcessEnvironment(TintorRun::environment(extra));
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{QStringLiteral("-c"),
                              QStringLiteral("exec \"$0\" \"$@\" ") + redirect,
                              TintorRun::program()} +
                      arguments);
}

} // namespace

class ReliabilityTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void brokenStandardErrorKeepsFollowingPointer_data();
    void brokenStandardErrorKeepsFollowingPointer();
    void unwritableOutputFails_data();
    void unwritableOutputFails();
    void failingLinkStormShowsOneMessage();
    void closingDuringStormEndsProgram();

private:
    // Opens About and clicks its Home link twenty times; the launcher fails after a second.
    Window startStorm(TintorRun& tintor);

    XSession m_x;
    QTemporaryDir m_dir;
};

void ReliabilityTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    QVERIFY(TintorRun::writeLauncher(m_dir.filePath("bin"), "#!/bin/sh\nsleep 1\nexit 1\n"));
}

void ReliabilityTest::brokenStandardErrorKeepsFollowingPointer_data() {
    QTest::addColumn<bool>("pipe");
    QTest::newRow("closed") << false;
    // A closed terminal pipeline, a launcher whose log reader went away: SIGPIPE.
    QTest::newRow("a pipe nobody reads") << true;
}

void ReliabilityTest::brokenStandardErrorKeepsFollowingPointer() {
    QFETCH(bool, pipe);
    int ends[2] = {-1, -1};
    QVERIFY(!pipe || (::pipe(ends) == 0 && ::close(ends[0]) == 0));
    // Two warnings at start-up: a file where the settings folder belongs, and a runtime
    // folder that others may read.
    QFile blocker(m_dir.filePath(QStringLiteral("config/tintor")));
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("config")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("runtime")));
    QFile::setPermissions(m_dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                              QFileDevice::ReadOther | QFileDevice::ExeOther);
    const Window red = m_x.showImage(300, 40, filled(qRgb(220, 20, 20)));
    const Window blue = m_x.showImage(340, 40, filled(qRgb(20, 20, 220)));

    QProcess tintor;
    startThroughShell(tintor, pipe ? QStringLiteral("2>&%1 %1>&-").arg(ends[1]) : "2>&-", {},
                      {"XDG_CONFIG_HOME=" + m_dir.filePath(QStringLiteral("config")),
                       "XDG_RUNTIME_DIR=" + m_dir.filePath(QStringLiteral("runtime"))});
    QVERIFY(tintor.waitForStarted());
    QVERIFY(!pipe || ::close(ends[1]) == 0);
    const std::optional<Window> main = m_x.waitForWindow(tintor.processId(), 10000);
    QVERIFY(main.has_value());
    // The magnifier keeps following the pointer.
    const QPoint middle = MainWindowAt::Magnifier;
    for (int round = 0; round < 3; ++round) {
        m_x.movePointer(310, 50);
        QTRY_COMPARE(m_x.pixel(*main, middle.x(), middle.y()), Rgb(220, 20, 20));
        m_x.movePointer(350, 50);
        QTRY_COMPARE(m_x.pixel(*main, middle.x(), middle.y()), Rgb(20, 20, 220));
    }
    m_x.requestClose(*main);
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitCode(), 0);
    m_x.destroyWindow(red);
    m_x.destroyWindow(blue);
}

void ReliabilityTest::unwritableOutputFails_data() {
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("redirect");
    QTest::addColumn<QString>("reason");
    const QString full = QStringLiteral("cannot write to standard output: no space left on device");
    const QString closed = QStringLiteral("cannot write to standard output: bad file descriptor");
    const QString broken = QStringLiteral("cannot write to standard output: broken pipe");
    const std::tuple<const char*, const char*, QString> rows[] = {
        {"--version", ">/dev/full", full},
        {"--help", ">/dev/full", full},
        {"--pick", ">/dev/full", full},
        {"--version", ">&-", closed},
        {"--help", ">&-", closed},
        {"--pick", ">&-", closed},
        {"--recent", ">&-", closed},
        {"--help", "|", broken},
        {"--recent", "", "settings.json: it is a directory"}};
    for (const auto& [argument, redirect, reason] : rows) {
        QTest::addRow("%s %s", argument, redirect) << argument << redirect << reason;
    }
}

void ReliabilityTest::unwritableOutputFails() {
    QFETCH(QString, argument);
    QFETCH(QString, redirect);
    QFETCH(QString, reason);
    const QString config = m_dir.filePath(QStringLiteral("unreadable"));
    QVERIFY(QDir().mkpath(config + QStringLiteral("/tintor/settings.json")));
    QProcess tintor;
    int pipe[2] = {-1, -1};
    if (redirect == "|") { // a pipe whose reader has gone, with SIGPIPE as a shell gives it
        QVERIFY(::pipe(pipe) == 0 && ::close(pipe[0]) == 0);
        tintor.setChildProcessModifier([&pipe] {
            ::dup2(pipe[1], STDOUT_FILENO);
            ::signal(SIGPIPE, SIG_DFL);
        });
        redirect.clear();
    }
    startThroughShell(tintor, redirect, {argument}, {"XDG_CONFIG_HOME=" + config});
    QVERIFY(tintor.waitForStarted());
    ::close(pipe[1]);
    if (argument == "--pick" && redirect == ">/dev/full") { // a colour picked, then not printed
        QVERIFY(m_x.waitForWindow(tintor.processId(), Title::Picking, 30000).has_value());
        // The title may come before the server has the capture: click until the pick ends.
        QTRY_VERIFY_WITH_TIMEOUT(tintor.state() == QProcess::NotRunning ||
                                     (m_x.clickAt(5, 5), tintor.waitForFinished(200)),
                                 10000);
    }
    QVERIFY(tintor.state() == QProcess::NotRunning || tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitStatus(), QProcess::NormalExit);
    const QString error = QString::fromLocal8Bit(tintor.readAllStandardError());
    QCOMPARE(tintor.exitCode(), 1);
    QVERIFY2(error.contains(reason + '\n'), qPrintable(error));
}

Window ReliabilityTest::startStorm(TintorRun& tintor) {
    const Window about = tintor.openAbout().value_or(0);
    if (about != 0) {
        for (int click = 0; click < 20; ++click) {
            tintor.clickIn(about, AboutWindowAt::HomeButton);
        }
    }
    return about;
}

void ReliabilityTest::failingLinkStormShowsOneMessage() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")}, m_dir.filePath("bin"));
    QVERIFY(tintor.main() != 0);
    QVERIFY(startStorm(tintor) != 0);
    const std::optional<Window> message = tintor.waitForTitle(Title::Message, 8000);
    QVERIFY(message.has_value());
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.viewable(*message), 6000);
    // The same failure, nineteen times more, is not shown again.
    QVERIFY(!tintor.waitForTitle(Title::Message, 4000));
    QCOMPARE(tintor.close(5000), 0);
}

void ReliabilityTest::closingDuringStormEndsProgram() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")}, m_dir.filePath("bin"));
    QVERIFY(tintor.main() != 0);
    QVERIFY(startStorm(tintor) != 0);
    QVERIFY(tintor.waitForTitle(Title::Message, 8000).has_value());
    QCOMPARE(tintor.close(5000), 0);
}

QTEST_GUILESS_MAIN(ReliabilityTest)
#include "tst_reliability.moc"
