// Pick mode in the built program on a real X server: the pick button, the pointer over
// colours the test shows, and presses that end the mode wherever they land.

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "TintorRun.h"

#include <X11/keysym.h>

namespace {

const Rgb ColourA = Rgb(200, 30, 60);
const Rgb ColourB = Rgb(10, 220, 90);

QImage twoHalves() {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(ColourA.toQRgb());
    for (int y = 0; y < 20; ++y) {
        for (int x = 10; x < 20; ++x) {
            image.setPixel(x, y, ColourB.toQRgb());
        }
    }
    return image;
}

} // namespace

class PickTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void leftClickOutsideEndsAndColourStays();
    void rightClickEndsDutchPick();
    void pressOverOptionsButtonOnlyEnds();
    void scaledWindowSamplesDevicePixels();
    void pickFromScriptPrintsColour_data();
    void pickFromScriptPrintsColour();

private:
    XSession m_x;
    std::vector<Window> m_patterns;
};

void PickTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    m_patterns.push_back(m_x.showImage(50, 50, twoHalves()));
}

void PickTest::leftClickOutsideEndsAndColourStays() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_US.UTF-8")});
    QVERIFY(tintor.main() != 0);
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);

    m_x.movePointer(55, 55);
    QTRY_COMPARE(tintor.swatch(), ColourA);
    m_x.movePointer(65, 55);
    QTRY_COMPARE(tintor.swatch(), ColourB);

    m_x.clickAt(65, 55);
    QTRY_COMPARE(tintor.title(), Title::Main);
    m_x.movePointer(55, 55);
    QThread::msleep(300); // six ticks: none may move the sliders now
    QCOMPARE(tintor.swatch(), ColourB);

    // The pick began with a click on the focused pick button: the red slider has the
    // focus now, and an arrow key steps red by 4.
    m_x.tapKey(XK_Right);
    QTRY_COMPARE(tintor.swatch(), Rgb(ColourB.red() + 4, ColourB.green(), ColourB.blue()));
    QCOMPARE(tintor.close(), 0);
}

void PickTest::rightClickEndsDutchPick() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=nl_BE.UTF-8")});
    QVERIFY(tintor.main() != 0);
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), QString::fromUtf8("Pluk \u00c9\u00e9n Pixel"));
    m_x.movePointer(52, 60);
    QTRY_COMPARE(tintor.swatch(), ColourA);
    m_x.clickAt(52, 60, 3);
    QTRY_COMPARE(tintor.title(), QStringLiteral("Tintor, versie 1.00a"));
    m_x.movePointer(65, 60);
    QThread::msleep(300);
    QCOMPARE(tintor.swatch(), ColourA);
    QCOMPARE(tintor.close(), 0);
}

void PickTest::pressOverOptionsButtonOnlyEnds() {
    TintorRun tintor(m_x);
    QVERIFY(tintor.main() != 0);
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);
    tintor.click(MainWindowAt::OptionsButton);
    QTRY_COMPARE(tintor.title(), Title::Main);
    // The sliders hold what the last tick saw under the options button: its face.
    const std::optional<Rgb> picked = tintor.swatch();
    QVERIFY(picked.has_value());
    QThread::msleep(300);
    QCOMPARE(tintor.swatch(), picked);
    // The press opened nothing; the next one, with the mode over, opens the options.
    QVERIFY(!tintor.waitForTitle(Title::Options, 200));
    const std::optional<Window> options = tintor.open(MainWindowAt::OptionsButton, Title::Options);
    QVERIFY(options.has_value());
    tintor.clickIn(*options, OptionsDialogAt::CancelButton);
    QTRY_VERIFY(!m_x.viewable(*options));
    QCOMPARE(tintor.close(), 0);
}

void PickTest::scaledWindowSamplesDevicePixels() {
    // A one-pixel checkerboard: a logical pixel at scale 2 covers both colours, so only a
    // device-pixel read can tell neighbours apart.
    QImage board(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            board.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(250, 0, 0) : qRgb(0, 0, 250));
        }
    }
    m_patterns.push_back(m_x.showImage(101, 201, board));
    TintorRun tintor(m_x, {QStringLiteral("QT_SCALE_FACTOR=2")});
    QVERIFY(tintor.main() != 0);
    QCOMPARE(m_x.clientSize(tintor.main()), MainWindowAt::Size * 2);
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);
    m_x.movePointer(104, 206); // odd device pixel; board (3, 5): even sum
    QTRY_COMPARE(tintor.swatch(), Rgb(250, 0, 0));
    m_x.movePointer(105, 206); // board (4, 5): odd sum
    QTRY_COMPARE(tintor.swatch(), Rgb(0, 0, 250));
    m_x.clickAt(105, 206);
    QTRY_COMPARE(tintor.title(), Title::Main);
    QCOMPARE(tintor.close(), 0);
}

void PickTest::pickFromScriptPrintsColour_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("key"); // that ends the pick; none: a click
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("printed");
    const QString pick = QStringLiteral("--pick");
    QTest::newRow("click") << QStringList{pick} << 0 << 0 << "#C81E3C\n";
    QTest::newRow("Return, rgb") << QStringList{pick, QStringLiteral("--format=rgb")} << XK_Return
                                 << 0 << "rgb(200, 30, 60)\n";
    QTest::newRow("Escape") << QStringList{pick} << XK_Escape << 1 << QString();
}

void PickTest::pickFromScriptPrintsColour() {
    QFETCH(QStringList, arguments);
    QFETCH(int, key);
    QFETCH(int, status);
    QFETCH(QString, printed);
    const QString settings = qEnvironmentVariable("XDG_CONFIG_HOME") + "/tintor/settings.json";
    QFile::remove(settings);
    const QTemporaryDir config; // the running one's settings are its own
    TintorRun running(m_x, {"XDG_CONFIG_HOME=" + config.path()});
    QVERIFY(running.main() != 0);
    const QRect runningAt = m_x.clientRect(running.main());
    TintorRun tintor(m_x, {}, {}, arguments);
    QVERIFY(tintor.main() != 0);
    QVERIFY(!m_x.clientRect(tintor.main()).intersects(runningAt)); // beside, not over, it
    QTRY_COMPARE(tintor.title(), Title::Picking);
    m_x.movePointer(55, 55);
    QTRY_COMPARE(tintor.swatch(), ColourA);
    if (key == 0) {
        m_x.clickAt(55, 55);
    } else {
        m_x.focus(tintor.main());
        m_x.tapKey(static_cast<unsigned long>(key));
    }
    QVERIFY(tintor.process().waitForFinished(10000));
    QCOMPARE(tintor.process().exitCode(), status);
    QCOMPARE(QString::fromLatin1(tintor.process().readAllStandardOutput()), printed);
    QCOMPARE(m_x.clientRect(running.main()), runningAt);
    QVERIFY(!QFile::exists(settings)); // stores nothing, not even the method read
}

QTEST_GUILESS_MAIN(PickTest)
#include "tst_pick.moc"
