// Where the windows open, with and without a window manager and on screens of odd and even
// size: the main window centred on the screen to the pixel, and the Options dialog, the
// About window and the message window centred over the main window by one rule.  Without a
// window manager a window's frame is the window itself.

#include <QTemporaryDir>
#include <QTest>

#include "TintorRun.h"
#include "WindowManager.h"

class PlacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mainWindowCentredOnScreen();
    void windowsCentredOverMainWindow_data();
    void windowsCentredOverMainWindow();

private:
    XSession m_x;
    WindowManager m_wm{m_x};
    QTemporaryDir m_bin; // holds an xdg-open that always fails
};

namespace {

// `inner` centred in `outer`: half the difference of the sizes, rounded toward zero.
QPoint centred(const QRect& outer, const QSize& inner) {
    return outer.topLeft() +
           QPoint((outer.width() - inner.width()) / 2, (outer.height() - inner.height()) / 2);
}

} // namespace

void PlacementTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    QVERIFY(TintorRun::writeLauncher(m_bin.path(), "#!/bin/sh\nexit 1\n"));
    qInfo("screen %dx%d, %s", m_x.screenSize().width(), m_x.screenSize().height(),
          m_wm.running() ? "with a window manager" : "without a window manager");
}

void PlacementTest::mainWindowCentredOnScreen() {
    TintorRun tintor(m_x);
    QVERIFY(tintor.main() != 0);
    const QRect screen({0, 0}, m_x.screenSize());
    QTRY_COMPARE(m_wm.frameRect(tintor.main()).topLeft(),
                 centred(screen, m_wm.frameRect(tintor.main()).size()));
    QCOMPARE(tintor.close(), 0);
}

void PlacementTest::windowsCentredOverMainWindow_data() {
    QTest::addColumn<QString>("which");
    QTest::newRow("Options") << QStringLiteral("Options");
    QTest::newRow("About") << QStringLiteral("About");
    QTest::newRow("message") << QStringLiteral("message");
}

void PlacementTest::windowsCentredOverMainWindow() {
    QFETCH(QString, which);
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")}, m_bin.path());
    QVERIFY(tintor.main() != 0);
    std::optional<Window> window;
    if (which == QLatin1String("Options")) {
        window = tintor.open(MainWindowAt::OptionsButton, Title::Options);
    } else {
        window = tintor.open(MainWindowAt::AboutButton, Title::About);
        if (window && which == QLatin1String("message")) {
            tintor.clickIn(*window, AboutWindowAt::MailButton);
            window = tintor.waitForTitle(Title::Message);
        }
    }
    QVERIFY(window.has_value());
    const QRect main = m_wm.frameRect(tintor.main());
    QTRY_COMPARE(m_wm.frameRect(*window).topLeft(), centred(main, m_wm.frameRect(*window).size()));
}

QTEST_GUILESS_MAIN(PlacementTest)
#include "tst_placement.moc"
