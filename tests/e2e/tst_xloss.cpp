// The X server going away under the running program: it must end promptly, non-zero, with
// a line saying why, and leave no temporary settings file behind.  The server is named by
// DISPLAY, or by Qt's -display while DISPLAY names one that does not exist: every connection
// of Tintor's must open the server Qt opened.

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "TintorRun.h"

class XLossTest : public QObject {
    Q_OBJECT
private slots:
    void serverLossEndsProgramWhilePicking_data();
    void serverLossEndsProgramWhilePicking();
};

void XLossTest::serverLossEndsProgramWhilePicking_data() {
    QTest::addColumn<bool>("qtOption");
    QTest::newRow("DISPLAY") << false;
    QTest::newRow("Qt's -display") << true;
}

void XLossTest::serverLossEndsProgramWhilePicking() {
    QFETCH(bool, qtOption);
    // A server of this test's own, to kill.
    QString display;
    QProcess server;
    for (int n = 200 + static_cast<int>(QCoreApplication::applicationPid() % 300);
         display.isEmpty(); ++n) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) {
            continue;
        }
        server.start(QStringLiteral("Xvfb"),
                     {QStringLiteral(":%1").arg(n), QStringLiteral("-nolisten"),
                      QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                      QStringLiteral("640x480x24")});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY(QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)));
        display = QStringLiteral(":%1").arg(n);
    }
    qputenv("DISPLAY", display.toLatin1());

    QTemporaryDir config;
    // The test's own connection goes before the server does: Xlib ends a program that loses
    // its server.
    auto x = std::make_unique<XSession>();
    QVERIFY(x->connected());
    TintorRun run(*x,
                  {"XDG_CONFIG_HOME=" + config.path(),
                   "DISPLAY=" + (qtOption ? QStringLiteral(":1999") : display)},
                  {}, qtOption ? QStringList{"-display", display} : QStringList{});
    QVERIFY(run.main() != 0);
    run.click(MainWindowAt::PickButton); // start picking: the pointer is grabbed
    QTRY_COMPARE(run.title(), Title::Picking);
    x.reset();
    server.kill();
    QVERIFY(server.waitForFinished());

    QProcess& tintor = run.process();
    QVERIFY(tintor.waitForFinished(5000));
    QCOMPARE(tintor.exitStatus(), QProcess::NormalExit);
    QVERIFY(tintor.exitCode() != 0);
    const QString error = QString::fromLocal8Bit(tintor.readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("X11")), qPrintable(error));
    const QStringList left = QDir(config.filePath(QStringLiteral("tintor"))).entryList(QDir::Files);
    QCOMPARE(left, QStringList{QStringLiteral("settings.json")});
}

QTEST_GUILESS_MAIN(XLossTest)
#include "tst_xloss.moc"
