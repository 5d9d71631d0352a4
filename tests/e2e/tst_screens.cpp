// The built program on screens out of the ordinary; each case runs on its own Xvfb screen
// (see CMakeLists.txt) and first checks that it got that screen.

#include <QRect>
#include <QTest>

#include "TintorRun.h"

#include <X11/Xlib.h>

class ScreensTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void eightBitScreenRefusedInOneLine();
    void tinyScreenHoldsPointerOnVisiblePartOfAbout();

private:
    XSession m_x;
};

void ScreensTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
}

void ScreensTest::eightBitScreenRefusedInOneLine() {
    QCOMPARE(DefaultDepth(m_x.display(), DefaultScreen(m_x.display())), 8);
    QProcess tintor;
    tintor.setProcessEnvironment(TintorRun::environment());
    tintor.start(TintorRun::program(), {});
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitStatus(), QProcess::NormalExit);
    const QString error = QString::fromLocal8Bit(tintor.readAllStandardError());
    QVERIFY2(tintor.exitCode() != 0, qPrintable(error));
    QCOMPARE(error.count(QLatin1Char('\n')), 1);
    QVERIFY2(error.startsWith(QStringLiteral("tintor: ")), qPrintable(error));
}

void ScreensTest::tinyScreenHoldsPointerOnVisiblePartOfAbout() {
    const QRect screen({0, 0}, m_x.screenSize());
    QCOMPARE(screen.size(), QSize(200, 200));
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    const std::optional<Window> about = tintor.openAbout();
    QVERIFY(about.has_value());
    const QRect visible = m_x.clientRect(*about) & screen;
    QVERIFY(!visible.isEmpty());
    QCOMPARE(m_x.movePointerBy(-3000, -3000), visible.topLeft());
    QCOMPARE(m_x.movePointerBy(3000, 3000), visible.bottomRight());
    // The way out lies where the pointer can go.
    const QPoint ok = m_x.rootPosition(*about) + AboutWindowAt::OkButton;
    QVERIFY2(visible.contains(ok), "the OK button is off the screen");
    m_x.clickAt(ok.x(), ok.y());
    QTRY_VERIFY(!m_x.viewable(*about));
    QCOMPARE(tintor.close(), 0);
}

QTEST_GUILESS_MAIN(ScreensTest)
#include "tst_screens.moc"
