// Picking through the desktop, where no program may read the screen: the pick waits for the
// desktop's screenshot, freezes it over the screen, samples it in picture pixels and ends by
// a press or Escape; an answer after the end shows nothing.  Outside a pick only Tintor's own
// windows are read.  Where the desktop gives no screenshot: tst_desktopfallback.cpp.

#include "ChannelSlider.h"
#include "ColourMaths.h"
#include "ColourSwatch.h"
#include "DesktopPickTest.h"
#include "Magnifier.h"
#include "TimedMessage.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

const QString Unknown = QStringLiteral("x:?\ny:?");
// A point of the desktop where no Tintor window lies: another program's.
const QPoint Elsewhere(2, 2);

QString shownAt(QPoint p) {
    return QStringLiteral("x:%1\ny:%2").arg(p.x()).arg(p.y());
}

QSize desktopSize() {
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens()) {
        desktop |= screen->geometry();
    }
    return desktop.size();
}

// The desktop pictured at twice its size, red 200 throughout but for two pixels: green 100
// at `centre`, blue 17 just right of it.
QImage screenshot(QPoint centre) {
    QImage picture(desktopSize() * 2, QImage::Format_RGB32);
    picture.fill(QColor(200, 0, 0));
    picture.setPixelColor(centre, QColor(200, 100, 0));
    picture.setPixelColor(centre + QPoint(1, 0), QColor(200, 0, 17));
    return picture;
}

// Every frozen-screen window, shown or not.
QList<QWidget*> frozenScreens() {
    QList<QWidget*> found = QApplication::topLevelWidgets();
    found.removeIf([](QWidget* w) { return w->objectName() != QLatin1String("FrozenScreen"); });
    return found;
}

} // namespace

// Starts a pick, gives the desktop's screenshot, then moves the pointer to `pointer`: a
// place read before the first move may be stale.
void DesktopPickTest::freezeThenPoint(const QImage& picture, QPoint pointer) {
    platform().pointer = pointer + QPoint(1, 1);
    pickButton()->click();
    m_picker->giveScreenshot(picture);
    platform().pointer = pointer;
}

void DesktopPickTest::init() {
    QCursor::setPos(Elsewhere);
    start(InterfaceLanguage::English);
    platform().pointer = Elsewhere;
}

void DesktopPickTest::pickWaitsForScreenshotThenFreezesIt_data() {
    QTest::addColumn<int>("scale");
    QTest::newRow("scale 1") << 1;
    QTest::newRow("scale 2") << 2;
}

void DesktopPickTest::pickWaitsForScreenshotThenFreezesIt() {
    QFETCH(int, scale);
    m_test->setColour(Rgb(9, 8, 7));
    // Over the main window its own pixels show, until the pick begins.
    const QPoint over = window().mapToGlobal(window().rect().center());
    QCursor::setPos(over);
    platform().pointer = over;
    QTRY_COMPARE(coordinates()->text(), shownAt(over));

    pickButton()->click();
    QCOMPARE(m_picker->calls, QStringList({"screenshot"}));
    QCOMPARE(platform().keptAbove, std::vector{false}); // the desktop's dialog not covered
    QCOMPARE(window().windowTitle(), Title::Picking);
    // The ticks go on with nothing to read: no position, no pixels, no capture yet.
    QTRY_COMPARE(coordinates()->text(), Unknown);
    QVERIFY(magnifier()->image().isNull());
    QCOMPARE(platform().captures, 0);
    QVERIFY(frozenScreens().isEmpty());
    QCOMPARE(window().colour(), Rgb(9, 8, 7));

    // Every block of scale x scale pixels is one desktop pixel: (x, y) shows as (x, y, 50).
    QImage picture(desktopSize() * scale, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb((x / scale) % 256, (y / scale) % 256, 50));
        }
    }
    m_picker->giveScreenshot(picture);
    QCOMPARE(platform().keptAbove, (std::vector{false, true}));
    QCOMPARE(platform().captures, 1);
    QCOMPARE(QWidget::mouseGrabber(), &window());
    // The overlays show the picture at the desktop's scale over all but the main window,
    // without masks (sway draws a masked-out part black).
    QRegion covered;
    for (QWidget* overlay : frozenScreens()) {
        QVERIFY(overlay->isVisible());
        QVERIFY(overlay->mask().isEmpty());
        covered += overlay->geometry();
        for (const QPoint at :
             {QPoint(0, 0), QPoint(overlay->width() - 1, overlay->height() - 1)}) {
            const QPoint desktopPoint = overlay->geometry().topLeft() + at;
            QCOMPARE(paintedAt(overlay, at),
                     QColor(desktopPoint.x() % 256, desktopPoint.y() % 256, 50));
        }
    }
    QCOMPARE(covered, QRegion(QRect(QPoint(), desktopSize())).subtracted(window().frameGeometry()));
    QVERIFY(!covered.contains(over));
    QVERIFY(window().isPicking());
}

void DesktopPickTest::tickSamplesScreenshotInPicturePixels_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Rgb>("expected");
    QTest::addColumn<int>("side");
    const QPoint corner(desktopSize().width() - 1, desktopSize().height() - 1);
    // The means truncate: 100/9 = 11.1 and 17/9 = 1.9; 100/49 = 2.04 and 17/49 = 0.3.
    QTest::newRow("single pixel") << 0 << QPoint(10, 20) << "x:20\ny:40" << Rgb(200, 100, 0) << 1;
    QTest::newRow("3x3") << 1 << QPoint(10, 20) << "x:20\ny:40" << Rgb(200, 11, 1) << 3;
    QTest::newRow("7x7") << 3 << QPoint(10, 20) << "x:20\ny:40" << Rgb(200, 2, 0) << 7;
    QTest::newRow("last pixel") << 0 << corner << shownAt(corner * 2) << Rgb(200, 100, 0) << 1;
}

void DesktopPickTest::tickSamplesScreenshotInPicturePixels() {
    QFETCH(int, method);
    QFETCH(QPoint, pointer);
    QFETCH(QString, shown);
    QFETCH(Rgb, expected);
    QFETCH(int, side);
    QVERIFY(m_test->restartWithMethod(method));
    m_test->setColour(Rgb(99, 98, 97));
    freezeThenPoint(screenshot(pointer * 2), pointer);
    QTRY_COMPARE(window().colour(), expected);
    QCOMPARE(coordinates()->text(), shown);
    QCOMPARE(m_test->slider(Channel::Green)->value(), expected.green());
    QCOMPARE(m_test->field(Channel::Green)->text(), channelText(expected.green()));
    const QImage pixels = magnifier()->image();
    QCOMPARE(pixels.size(), QSize(side, side));
    QCOMPARE(pixels.pixelColor(side / 2, side / 2), QColor(200, 100, 0));
}

void DesktopPickTest::endingRemovesFrozenScreen_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Rgb>("kept");
    const Rgb green(200, 100, 0);
    QTest::newRow("press on the main window") << "window" << Qt::LeftButton << green;
    QTest::newRow("right press on the main window") << "window" << Qt::RightButton << green;
    QTest::newRow("Escape") << "escape" << Qt::NoButton << Rgb(9, 8, 7);
    // The pointer cannot be moved: the point read moves within the picture.
    QTest::newRow("Right, then Return") << "keys" << Qt::NoButton << Rgb(200, 0, 17);
    // Moving the mouse brings the point read back under the pointer.
    QTest::newRow("Right, the mouse away and back, Return")
        << "keys, mouse" << Qt::NoButton << green;
    QTest::newRow("press on the frozen screen") << "overlay" << Qt::LeftButton << green;
    QTest::newRow("right press on the frozen screen") << "overlay" << Qt::RightButton << green;
}

void DesktopPickTest::endingRemovesFrozenScreen() {
    QFETCH(QString, how);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Rgb, kept);
    QVERIFY(m_test->activate());
    m_test->setColour(Rgb(9, 8, 7));
    freezeThenPoint(screenshot({20, 40}), {10, 20});
    QTRY_COMPARE(window().colour(), Rgb(200, 100, 0));
    QVERIFY(!frozenScreens().isEmpty());

    if (how == QLatin1String("escape")) {
        QTest::keyClick(&window(), Qt::Key_Escape);
    } else if (how.startsWith(QLatin1String("keys"))) {
        QTest::keyClick(&window(), Qt::Key_Right);
        QCOMPARE(coordinates()->text(), QStringLiteral("x:21\ny:40"));
        if (how.endsWith(QLatin1String("mouse"))) {
            platform().pointer = QPoint(11, 20);
            QTRY_COMPARE(window().colour(), Rgb(200, 0, 0));
            platform().pointer = QPoint(10, 20);
            QTRY_COMPARE(window().colour(), kept);
        }
        QTest::keyClick(&window(), Qt::Key_Return);
    } else if (how == QLatin1String("window")) {
        QTest::mousePress(window().windowHandle(), button, {}, QPoint(5, 100));
        QTest::mouseRelease(window().windowHandle(), button, {}, QPoint(5, 100));
    } else {
        // The capture missed the press: it reaches the frozen screen through its window.
        window().releaseMouse();
        QTest::mousePress(frozenScreens().constFirst()->windowHandle(), button, {}, {2, 2});
    }
    QTRY_VERIFY(!window().isPicking());
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(window().colour(), kept);
    QTRY_VERIFY(frozenScreens().isEmpty());
    QCOMPARE(m_picker->calls, QStringList({"screenshot", "cancel"}));
    QCOMPARE(platform().releases, 1);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
    // Later ticks neither read the picture nor move the sliders.
    QTRY_COMPARE(coordinates()->text(), Unknown);
    QCOMPARE(window().colour(), kept);
}

void DesktopPickTest::answerAfterPickEndedShowsNothing_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("screenshot") << "screenshot";
    QTest::newRow("failure") << "failure";
    QTest::newRow("colour") << "colour";
}

void DesktopPickTest::answerAfterPickEndedShowsNothing() {
    QFETCH(QString, answer);
    QVERIFY(m_test->activate());
    m_test->setColour(Rgb(9, 8, 7));
    pickButton()->click();
    QTest::keyClick(&window(), Qt::Key_Escape);
    QVERIFY(!window().isPicking());
    const QStringList asked{"screenshot", "cancel"};
    QCOMPARE(m_picker->calls, asked);

    if (answer == QLatin1String("screenshot")) {
        m_picker->giveScreenshot(screenshot({20, 40}));
    } else if (answer == QLatin1String("failure")) {
        m_picker->fail(DesktopCapture::Refusal::Refused);
    } else {
        m_picker->giveColour(Rgb(51, 102, 153));
    }
    QVERIFY(frozenScreens().isEmpty());
    QCOMPARE(platform().captures, 0);
    QCOMPARE(m_picker->calls, asked); // no colour picker asked for
    QVERIFY(!message()->isVisible());
    QVERIFY(!window().isPicking());
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(window().colour(), Rgb(9, 8, 7));
}

void DesktopPickTest::outsidePickOnlyOwnWindowsAreRead() {
    // Xwayland's first place for the pointer lies in the centred window, wherever the real
    // pointer is: nothing is read there until the pointer moves.
    QCursor::setPos(window().mapToGlobal(window().rect().center()));
    start(InterfaceLanguage::English);
    platform().pointer = QCursor::pos();
    QTest::qWait(200);
    QCOMPARE(coordinates()->text(), Unknown);
    m_test->setColour(Rgb(40, 8, 12));
    auto* swatch = find<ColourSwatch>("colourSwatch");
    // Over Tintor's own window: its position, and its own rendering under the pointer.
    const QPoint own = swatch->mapToGlobal(swatch->rect().center());
    QCursor::setPos(own);
    platform().pointer = own;
    QTRY_COMPARE(coordinates()->text(), shownAt(own));
    QCOMPARE(magnifier()->image().size(), QSize(1, 1));
    QCOMPARE(magnifier()->image().pixelColor(0, 0), QColor(40, 8, 12));

    // Over another program nothing is known, not even where the pointer is.
    QVERIFY(!window().frameGeometry().contains(Elsewhere));
    QCursor::setPos(Elsewhere);
    platform().pointer = Elsewhere;
    QTRY_COMPARE(coordinates()->text(), Unknown);
    QVERIFY(magnifier()->image().isNull());
    QCOMPARE(window().colour(), Rgb(40, 8, 12));
}

void DesktopPickTest::placeShownOnceFrozen_data() {
    QTest::addColumn<bool>("moved");
    QTest::newRow("the desktop took the pointer, which stayed: shown at once") << false;
    QTest::newRow("the pointer went elsewhere: not until it moves") << true;
}

void DesktopPickTest::placeShownOnceFrozen() {
    QFETCH(bool, moved);
    const QPoint over = window().mapToGlobal(window().rect().center());
    QCursor::setPos(over);
    platform().pointer = over;
    QTRY_VERIFY(window().underMouse());
    pickButton()->click();
    // KDE shows a window of its own under the pointer while it takes the screenshot.
    window().setAttribute(Qt::WA_UnderMouse, false);
    platform().pointer = moved ? Elsewhere : over;
    m_picker->giveScreenshot(QImage(desktopSize(), QImage::Format_RGB32));
    QTRY_COMPARE(coordinates()->text(), moved ? Unknown : shownAt(over));
}

QTEST_MAIN(DesktopPickTest)
