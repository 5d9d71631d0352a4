// Pick mode in the built program on a real X server: the pick button, the pointer over
// colours the test shows, and presses that end the mode wherever they land.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QThread>

#include "ProgramEnvironment.h"
#include "XSession.h"

#include <X11/keysym.h>

namespace {

// Client positions in the main window, in layout pixels.
const QPoint PickButton(178, 149);
const QPoint OptionsButton(70, 149);
const QPoint ColourSwatch(180, 108);

const Rgb ColourA = Rgb(200, 30, 60);
const Rgb ColourB = Rgb(10, 220, 90);

QImage twoHalves() {
    QImage image(20, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            const Rgb c = x < 10 ? ColourA : ColourB;
            image.setPixel(x, y, c.toQRgb());
        }
    }
    return image;
}

} // namespace

class PickTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void leftClickOutsideEndsAndColourStays();
    void rightClickEndsDutchPick();
    void pressOverOptionsButtonOnlyEnds();
    void scaledWindowSamplesDevicePixels();
    void pickFromScriptPrintsColour_data();
    void pickFromScriptPrintsColour();

private:
    // Starts the program; returns its window and where its client area lies on the root.
    Window start(QProcess& process, const QStringList& extra = {});
    Rgb swatch(int scale = 1);
    void clickIn(const QPoint& client, int button = 1, int scale = 1);

    XSession m_x;
    Window m_window = 0;
    QPoint m_origin;
    std::vector<Window> m_patterns;
};

void PickTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    m_patterns.push_back(m_x.showImage(50, 50, twoHalves()));
}

void PickTest::cleanup() {
    m_window = 0;
}

Window PickTest::start(QProcess& process, const QStringList& extra) {
    process.setProcessEnvironment(ProgramEnvironment(extra));
    process.start(QStringLiteral(TINTOR_EXE), {});
    if (!process.waitForStarted()) {
        return 0;
    }
    m_window = m_x.waitForWindow(process.processId(), 10000).value_or(0);
    if (m_window != 0) {
        m_origin = m_x.rootPosition(m_window);
    }
    return m_window;
}

Rgb PickTest::swatch(int scale) {
    return m_x.pixel(m_window, ColourSwatch.x() * scale, ColourSwatch.y() * scale);
}

void PickTest::clickIn(const QPoint& client, int button, int scale) {
    m_x.clickAt(m_origin.x() + client.x() * scale, m_origin.y() + client.y() * scale, button);
}

void PickTest::leftClickOutsideEndsAndColourStays() {
    QProcess tintor;
    QVERIFY(start(tintor, {QStringLiteral("LANG=en_US.UTF-8")}) != 0);
    clickIn(PickButton);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Picking Single Pixel"));

    m_x.movePointer(55, 55);
    QTRY_COMPARE(swatch(), ColourA);
    m_x.movePointer(65, 55);
    QTRY_COMPARE(swatch(), ColourB);

    m_x.clickAt(65, 55);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Tintor, version 1.00"));
    m_x.movePointer(55, 55);
    QThread::msleep(300); // six ticks: none may move the sliders now
    QCOMPARE(swatch(), ColourB);

    // The pick began with a click on the focused pick button: the red slider has the
    // focus now, and an arrow key steps red by 4.
    m_x.tapKey(XK_Right);
    QTRY_COMPARE(swatch(), Rgb(ColourB.red() + 4, ColourB.green(), ColourB.blue()));

    m_x.requestClose(m_window);
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitCode(), 0);
}

void PickTest::rightClickEndsDutchPick() {
    QProcess tintor;
    QVERIFY(start(tintor, {QStringLiteral("LANG=nl_BE.UTF-8")}) != 0);
    clickIn(PickButton);
    QTRY_COMPARE(m_x.title(m_window), QString::fromUtf8("Pluk \u00c9\u00e9n Pixel"));
    m_x.movePointer(52, 60);
    QTRY_COMPARE(swatch(), ColourA);
    m_x.clickAt(52, 60, 3);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Tintor, versie 1.00a"));
    m_x.movePointer(65, 60);
    QThread::msleep(300);
    QCOMPARE(swatch(), ColourA);
    m_x.requestClose(m_window);
    QVERIFY(tintor.waitForFinished(10000));
}

void PickTest::pressOverOptionsButtonOnlyEnds() {
    QProcess tintor;
    QVERIFY(start(tintor) != 0);
    clickIn(PickButton);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Picking Single Pixel"));
    clickIn(OptionsButton);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Tintor, version 1.00"));
    // The sliders hold what the last tick saw under the options button: its face.
    const Rgb picked = swatch();
    QThread::msleep(300);
    QCOMPARE(swatch(), picked);
    // The press opened nothing; the next one, with the mode over, opens the options.
    QVERIFY(!m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 200));
    clickIn(OptionsButton);
    const auto options = m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 5000);
    QVERIFY(options.has_value());
    const QPoint dialog = m_x.rootPosition(*options);
    m_x.clickAt(dialog.x() + 118, dialog.y() + 124); // Cancel
    QTRY_VERIFY(!m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 10));
    m_x.requestClose(m_window);
    QVERIFY(tintor.waitForFinished(10000));
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
    QProcess tintor;
    QVERIFY(start(tintor, {QStringLiteral("QT_SCALE_FACTOR=2")}) != 0);
    QCOMPARE(m_x.clientSize(m_window), QSize(528, 336));
    clickIn(PickButton, 1, 2);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Picking Single Pixel"));
    m_x.movePointer(104, 206); // odd device pixel; board (3, 5): even sum
    QTRY_COMPARE(swatch(2), Rgb(250, 0, 0));
    m_x.movePointer(105, 206); // board (4, 5): odd sum
    QTRY_COMPARE(swatch(2), Rgb(0, 0, 250));
    m_x.clickAt(105, 206);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Tintor, version 1.00"));
    m_x.requestClose(m_window);
    QVERIFY(tintor.waitForFinished(10000));
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
    QProcess tintor;
    tintor.setProcessEnvironment(ProgramEnvironment());
    tintor.start(QStringLiteral(TINTOR_EXE), arguments);
    m_window = m_x.waitForWindow(tintor.processId(), 10000).value_or(0);
    QVERIFY(m_window != 0);
    QTRY_COMPARE(m_x.title(m_window), QStringLiteral("Picking Single Pixel"));
    m_x.movePointer(55, 55);
    QTRY_COMPARE(swatch(), ColourA);
    if (key == 0) {
        m_x.clickAt(55, 55);
    } else {
        m_x.focus(m_window);
        m_x.tapKey(static_cast<unsigned long>(key));
    }
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitCode(), status);
    QCOMPARE(QString::fromLatin1(tintor.readAllStandardOutput()), printed);
    QVERIFY(!QFile::exists(settings)); // stores nothing, not even the method read
}

QTEST_GUILESS_MAIN(PickTest)
#include "tst_pick.moc"
