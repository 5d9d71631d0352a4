// The built program on a real X server: its window, its language, the keyboard driving a
// slider through to the swatches' pixels, and its exit status.

#include <QFile>
#include <QProcess>
#include <QTest>

#include "ProgramEnvironment.h"
#include "XSession.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

// The program under test: the one built beside this test, or TINTOR_EXE (an installed one).
QString program() {
    return qEnvironmentVariable("TINTOR_EXE", QStringLiteral(TINTOR_EXE));
}

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void englishWindowIsCentredFixedAndOnTop();
    void dutchLocaleGivesDutchTitle();
    void keyboardDrivesSliderAndSwatches();
    void withoutDisplaySaysSoAndFails();
    void waylandWithoutXwaylandExplains();
    void waylandWithXwaylandRunsOnX();
    void versionAndHelpNeedNoDisplay();

private:
    // Starts the program with `extra` on top of a plain environment.
    void start(QProcess& process, const QStringList& extra = {});
    Window windowOf(QProcess& process);
    static void closeAndExpectSuccess(XSession& x, Window window, QProcess& process);

    XSession m_x;
};

void StartupTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
}

void StartupTest::start(QProcess& process, const QStringList& extra) {
    process.setProcessEnvironment(ProgramEnvironment(extra));
    process.start(program(), {});
    QVERIFY(process.waitForStarted());
}

Window StartupTest::windowOf(QProcess& process) {
    const std::optional<Window> window = m_x.waitForWindow(process.processId(), 10000);
    if (!window) {
        qWarning("no window; stderr: %s", process.readAllStandardError().constData());
        return 0;
    }
    return *window;
}

void StartupTest::closeAndExpectSuccess(XSession& x, Window window, QProcess& process) {
    x.requestClose(window);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

void StartupTest::englishWindowIsCentredFixedAndOnTop() {
    QProcess tintor;
    start(tintor, {QStringLiteral("LANG=en_GB.UTF-8")});
    const Window window = windowOf(tintor);
    QVERIFY(window != 0);
    QCOMPARE(m_x.title(window), QStringLiteral("Tintor, version 1.00"));
    QCOMPARE(m_x.clientSize(window), QSize(264, 168));
    QCOMPARE(m_x.fixedSizeHint(window), QSize(264, 168));
    QVERIFY(m_x.atomList(window, "_NET_WM_STATE").contains(QStringLiteral("_NET_WM_STATE_ABOVE")));
    // Tintor's own icon (it follows the window), even without a window manager, and the
    // class its desktop entry names.
    std::vector<unsigned long> icon;
    QTRY_VERIFY((icon = m_x.values(window, "_NET_WM_ICON")).size() > 2);
    QVERIFY(icon[0] == 16 && icon[1] == 16);
    XClassHint hint{};
    QVERIFY(XGetClassHint(m_x.display(), window, &hint) != 0);
    const QString windowClass = QString::fromLatin1(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    QFile entry(QStringLiteral(TINTOR_DESKTOP_ENTRY));
    QVERIFY(entry.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(entry.readAll()).contains("\nStartupWMClass=" + windowClass + '\n'));
    const QSize screen = m_x.screenSize();
    const QPoint expected((screen.width() - 264) / 2, (screen.height() - 168) / 2);
    QVERIFY2((m_x.rootPosition(window) - expected).manhattanLength() <= 2,
             qPrintable(QStringLiteral("at %1,%2")
                            .arg(m_x.rootPosition(window).x())
                            .arg(m_x.rootPosition(window).y())));
    closeAndExpectSuccess(m_x, window, tintor);
}

void StartupTest::dutchLocaleGivesDutchTitle() {
    QProcess tintor;
    start(tintor, {QStringLiteral("LANG=nl_NL.UTF-8")});
    const Window window = windowOf(tintor);
    QVERIFY(window != 0);
    QCOMPARE(m_x.title(window), QStringLiteral("Tintor, versie 1.00a"));
    closeAndExpectSuccess(m_x, window, tintor);
}

void StartupTest::keyboardDrivesSliderAndSwatches() {
    QProcess tintor;
    start(tintor);
    const Window window = windowOf(tintor);
    QVERIFY(window != 0);
    // Points inside the colour swatch and the web-safe swatch, in client coordinates.
    const QPoint colour(180, 108);
    const QPoint web(180, 124);
    QTRY_COMPARE(m_x.pixel(window, colour.x(), colour.y()), Rgb(0, 0, 0));

    m_x.focus(window);
    // The red slider has the focus first; eight page steps of 16 make 128.
    m_x.tapKey(XK_Page_Up, 8);
    QTRY_COMPARE(m_x.pixel(window, colour.x(), colour.y()), Rgb(128, 0, 0));
    QTRY_COMPARE(m_x.pixel(window, web.x(), web.y()), Rgb(153, 0, 0));

    // Tab to the green slider; two arrow steps of 4 make 8.
    m_x.tapKey(XK_Tab);
    m_x.tapKey(XK_Right, 2);
    QTRY_COMPARE(m_x.pixel(window, colour.x(), colour.y()), Rgb(128, 8, 0));
    QTRY_COMPARE(m_x.pixel(window, web.x(), web.y()), Rgb(153, 0, 0));
    closeAndExpectSuccess(m_x, window, tintor);
}

void StartupTest::withoutDisplaySaysSoAndFails() {
    QProcess tintor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    tintor.setProcessEnvironment(env);
    tintor.start(program(), {});
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitStatus(), QProcess::NormalExit); // no crash, no abort
    QVERIFY(tintor.exitCode() != 0);
    const QString error = QString::fromLocal8Bit(tintor.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("DISPLAY")) && error.contains(QStringLiteral("X11")),
             qPrintable(error));
}

namespace {

// Runs the program to its end with `env`; returns its exit code, stdout and stderr.
struct Finished {
    int code;
    QString out;
    QString error;
};

Finished runToEnd(const QProcessEnvironment& env, const QStringList& arguments = {}) {
    QProcess tintor;
    tintor.setProcessEnvironment(env);
    tintor.start(program(), arguments);
    if (!tintor.waitForFinished(10000) || tintor.exitStatus() != QProcess::NormalExit) {
        return {-1, {}, {}};
    }
    return {tintor.exitCode(), QString::fromLocal8Bit(tintor.readAllStandardOutput()),
            QString::fromLocal8Bit(tintor.readAllStandardError())};
}

} // namespace

void StartupTest::waylandWithoutXwaylandExplains() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    const Finished run = runToEnd(env);
    QVERIFY(run.code > 0);
    QVERIFY2(run.error.contains(QStringLiteral("Xwayland")), qPrintable(run.error));
}

void StartupTest::waylandWithXwaylandRunsOnX() {
    QProcess tintor;
    start(tintor,
          {QStringLiteral("WAYLAND_DISPLAY=wayland-0"), QStringLiteral("QT_QPA_PLATFORM=wayland")});
    const Window window = windowOf(tintor);
    QVERIFY(window != 0); // on the X server, whatever platform was asked for
    closeAndExpectSuccess(m_x, window, tintor);
    // Picks go through the desktop there: no warning that only X windows can be read.
    const QString error = QString::fromLocal8Bit(tintor.readAllStandardError());
    QVERIFY2(!error.contains(QStringLiteral("Xwayland")), qPrintable(error));
}

void StartupTest::versionAndHelpNeedNoDisplay() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    const Finished version = runToEnd(env, {QStringLiteral("--version")});
    QCOMPARE(version.code, 0);
    QCOMPARE(version.out, QStringLiteral("Tintor 1.00\n"));
    const Finished help = runToEnd(env, {QStringLiteral("--help")});
    QCOMPARE(help.code, 0);
    QVERIFY(help.out.startsWith(QStringLiteral("Usage: tintor")));
    // A form --pick cannot print is refused before a display is looked for.
    QCOMPARE(runToEnd(env, {QStringLiteral("--pick"), QStringLiteral("--format=cmyk")}).code, 2);
    // Anything else is ignored, as before: still no display, still the same answer.
    const Finished other = runToEnd(env, {QStringLiteral("--colour=red")});
    QVERIFY(other.code > 0);
    QVERIFY(other.error.contains(QStringLiteral("DISPLAY")));
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
