// Picks in a sway session whose desktop portal is a fake that the test sets up: the
// desktop's colour picker where the screenshot is refused, the message where both fail,
// and what becomes of the screenshot file.  Run through with-sway.sh --no-portal.
#include "FakePortalProcess.h"
#include "SwayDesktop.h"
#include "SwayTintor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class tst_WaylandFallback : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void desktopAnswers_data();
    void desktopAnswers();
    void screenshotFile_data();
    void screenshotFile();

private:
    // One device for the whole run, as a user has one mouse.
    VirtualPointer m_pointer;
};

void tst_WaylandFallback::initTestCase() {
    QVERIFY(m_pointer.started());
}

void tst_WaylandFallback::init() {
    if (SwayDesktop::busHasOwner("org.freedesktop.portal.Desktop")) {
        QSKIP("the session has a real portal; run with with-sway.sh --no-portal");
    }
}

void tst_WaylandFallback::desktopAnswers_data() {
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<int>("expected"); // 0xRRGGBB; -1: the message, and the colour as it was
    QTest::newRow("refused: the desktop's colour") << "refuse"
                                                   << "ok:0.2,0.4,0.6" << 0x336699;
    QTest::newRow("both refused: the message") << "refuse"
                                               << "refuse" << -1;
}

// No screenshot: the desktop's own picker gives the colour, and the pick ends with it;
// where that fails too, the pick ends with the colour it started with, and a message.
void tst_WaylandFallback::desktopAnswers() {
    QFETCH(QString, screenshot);
    QFETCH(QString, colour);
    QFETCH(int, expected);
    FakePortalProcess portal({"--screenshot", screenshot, "--pick-colour", colour});
    QVERIFY(portal.isReady());
    SwayTintor tintor;
    QVERIFY(tintor.started());
    const QString before = hex(tintor.swatch());
    const QString after = expected < 0 ? before : hex(QRgb(expected));
    QVERIFY(tintor.swatch() && (expected < 0 || before != after));
    tintor.pressPick();
    QTRY_VERIFY_WITH_TIMEOUT(
        expected < 0 ? tintor.shown(Title::Message) == 1 : hex(tintor.swatch()) == after, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(tintor.title(), Title::Main, 5000);
    QCOMPARE(tintor.shown(Title::FrozenScreen), 0);
    QCOMPARE(tintor.shown(Title::Message), expected < 0 ? 1 : 0);
    QCOMPARE(hex(tintor.swatch()), after);
}

void tst_WaylandFallback::screenshotFile_data() {
    QTest::addColumn<QString>("kind"); // "fresh" or "old"
    QTest::newRow("written for the pick in ~/Pictures: read, removed") << "fresh";
    QTest::newRow("older than the pick: read, kept") << "old";
}

// The fake portal answers with a file, as GNOME and KDE do in the user's folders: its
// picture is what the pick reads, and only a file written for this very pick is removed.
void tst_WaylandFallback::screenshotFile() {
    QFETCH(QString, kind);
    const QString pictures = QDir::home().filePath("Pictures");
    QVERIFY(QDir().mkpath(pictures));
    const QString given = pictures + "/Screenshot_" + kind + ".png";
    QFile::remove(given);
    const QList<SwayOutput> outputs = SwayDesktop::outputs();
    QCOMPARE(outputs.size(), 1);
    const Rgb left(240, 0, 200), right(0, 210, 220);
    const QImage picture = halves(outputs.front().pixels(), left, right);
    QVERIFY(kind == "fresh" || picture.save(given));

    FakePortalProcess portal({"--screenshot", "ok:" + given, "--pick-colour", "missing", "--held"});
    QVERIFY(portal.isReady());
    SwayTintor tintor;
    QVERIFY(tintor.started());
    tintor.pressPick();
    QVERIFY(!portal.waitForCall("Screenshot").isEmpty());
    QVERIFY(kind != "fresh" || picture.save(given));
    QVERIFY(portal.answer());
    QTRY_VERIFY_WITH_TIMEOUT(tintor.shown(Title::FrozenScreen) > 0, 10000);
    const QRect main = tintor.mainRect();
    const QRect area = outputs.front().logical;
    for (const auto& [x, colour] :
         {std::pair{area.width() / 8, left}, {area.width() * 7 / 8, right}}) {
        const QPoint at(x,
                        main.top() > area.height() / 3 ? area.height() / 6 : area.height() * 5 / 6);
        QVERIFY(tintor.movePointer(m_pointer, at));
        QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(colour), 5000);
    }
    QCOMPARE(QFileInfo::exists(given), kind == "old");
}

QTEST_GUILESS_MAIN(tst_WaylandFallback)
#include "tst_waylandfallback.moc"
