// The built program on a real X server: its window, the keyboard driving a slider through
// to the swatches' pixels, and its exit status.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "ColourNotation.h"
#include "Setting.h"
#include "TintorRun.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

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
    tintor.start(TintorRun::program(), arguments);
    if (!tintor.waitForFinished(10000) || tintor.exitStatus() != QProcess::NormalExit) {
        return {-1, {}, {}};
    }
    return {tintor.exitCode(), QString::fromLocal8Bit(tintor.readAllStandardOutput()),
            QString::fromLocal8Bit(tintor.readAllStandardError())};
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void englishWindowIsFixedAndOnTop();
    void keyboardDrivesSliderAndSwatches();
    void withoutDisplaySaysSoAndFails();
    void waylandWithoutXwaylandExplains();
    void waylandWithXwaylandRunsOnX();
    void versionAndHelpNeedNoDisplay();

private:
    XSession m_x;
};

void StartupTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
}

void StartupTest::englishWindowIsFixedAndOnTop() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    const Window window = tintor.main();
    QVERIFY(window != 0);
    QCOMPARE(tintor.title(), Title::Main);
    QCOMPARE(m_x.clientSize(window), MainWindowAt::Size);
    QCOMPARE(m_x.fixedSizeHint(window), MainWindowAt::Size);
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
    QCOMPARE(tintor.close(), 0); // its place on the screen: tst_placement
}

void StartupTest::keyboardDrivesSliderAndSwatches() {
    TintorRun tintor(m_x);
    QVERIFY(tintor.main() != 0);
    const QPoint web = MainWindowAt::WebSwatch;
    QTRY_COMPARE(tintor.swatch(), Rgb(0, 0, 0));

    m_x.focus(tintor.main());
    // The red slider has the focus first; eight page steps of 16 make 128.
    m_x.tapKey(XK_Page_Up, 8);
    QTRY_COMPARE(tintor.swatch(), Rgb(128, 0, 0));
    QTRY_COMPARE(m_x.pixel(tintor.main(), web.x(), web.y()), Rgb(153, 0, 0));

    // Tab to the green slider; two arrow steps of 4 make 8.
    m_x.tapKey(XK_Tab);
    m_x.tapKey(XK_Right, 2);
    QTRY_COMPARE(tintor.swatch(), Rgb(128, 8, 0));
    QTRY_COMPARE(m_x.pixel(tintor.main(), web.x(), web.y()), Rgb(153, 0, 0));
    QCOMPARE(tintor.close(), 0);
}

void StartupTest::withoutDisplaySaysSoAndFails() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const Finished run = runToEnd(env); // no crash, no abort
    QVERIFY(run.code > 0);
    QVERIFY2(run.error.contains(QStringLiteral("DISPLAY")) &&
                 run.error.contains(QStringLiteral("X11")),
             qPrintable(run.error));
}

void StartupTest::waylandWithoutXwaylandExplains() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
    const Finished run = runToEnd(env);
    QVERIFY(run.code > 0);
    QVERIFY2(run.error.contains(QStringLiteral("Xwayland")), qPrintable(run.error));
}

void StartupTest::waylandWithXwaylandRunsOnX() {
    TintorRun tintor(m_x, {QStringLiteral("WAYLAND_DISPLAY=wayland-0"),
                           QStringLiteral("QT_QPA_PLATFORM=wayland")});
    QVERIFY(tintor.main() != 0); // on the X server, whatever platform was asked for
    QCOMPARE(tintor.close(), 0);
    // Picks go through the desktop there: no warning that only X windows can be read.
    const QString error = QString::fromLocal8Bit(tintor.process().readAllStandardError());
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
    // --contrast answers without a display, rounding down; a text that is no colour is named.
    const Finished contrast = runToEnd(env, {"--contrast", "#777", "white"});
    QCOMPARE(contrast.code, 0);
    QVERIFY(contrast.out.startsWith("4.47:1\nAA normal text (4.5:1): fail\n"));
    QCOMPARE(contrast.out.count('\n'), 6);
    const Finished notColour = runToEnd(env, {"--contrast", "oklch(0.6 0.1 250)", "greyish"});
    QCOMPARE(notColour.code, 2);
    QVERIFY2(notColour.error.contains("greyish"), qPrintable(notColour.error));
    QCOMPARE(runToEnd(env, {"--contrast", "red", "blue", "--recent"}).code, 2);
    // The manual page keeps up: every option and form in its exit statuses, every member of
    // the settings file.
    QFile manual(QStringLiteral(TINTOR_MANUAL));
    QVERIFY(manual.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(manual.readAll()).remove(u'\\');
    QStringList names =
        help.out.split(QRegularExpression("[^-a-z]+")).filter(QRegularExpression("^--"));
    for (const FormRow& row : colourForms()) {
        if (row.offered) {
            names << QLatin1String(row.name);
        }
    }
    for (const QString& name : names) {
        QVERIFY2(page.section(QStringLiteral(".SH EXIT"), 1).contains(name), qPrintable(name));
    }
    for (const Setting* setting : Settings::All) {
        QVERIFY2(page.contains(setting->key), setting->key.data());
    }
    // A form --pick cannot print is refused before a display is looked for.
    const Finished cmyk =
        runToEnd(env, {QStringLiteral("--pick"), QStringLiteral("--format=cmyk")});
    QCOMPARE(cmyk.code, 2);
    QVERIFY2(cmyk.error.contains(QStringLiteral("not \"cmyk\"")), qPrintable(cmyk.error));
    // Anything else is ignored, as before: still no display, still the same answer.
    const Finished other = runToEnd(env, {QStringLiteral("--colour=red")});
    QVERIFY(other.code > 0);
    QVERIFY(other.error.contains(QStringLiteral("DISPLAY")));
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
