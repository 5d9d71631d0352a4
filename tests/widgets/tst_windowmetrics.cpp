// The message window's size and the windows' place, without a display.  (The mail link's
// text is checked whole, in both languages, through the About window's test.)

#include "MessageMetrics.h"
#include "WindowPlacement.h"

#include <QTest>

class WindowMetricsTest : public QObject {
    Q_OBJECT
private slots:
    void messageHeights_data();
    void messageHeights();
    void centring();
};

void WindowMetricsTest::messageHeights_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("window");
    QTest::newRow("9 pt, empty") << 12 << 0 << 64;
    QTest::newRow("9 pt, one line") << 12 << 1 << 78;
    QTest::newRow("9 pt, two lines") << 12 << 2 << 92;
    QTest::newRow("8 pt: 12.8 rounds before multiplying") << 11 << 2 << 89;
    QTest::newRow("11 pt: 17.6") << 15 << 1 << 86;
}

void WindowMetricsTest::messageHeights() {
    QFETCH(int, pixels);
    QFETCH(int, lines);
    QFETCH(int, window);
    QCOMPARE(messageWindowHeight(messageMemoHeight(lines, pointSizeFromPixels(pixels))), window);
}

void WindowMetricsTest::centring() {
    QCOMPARE(centredOver(QRect(100, 20, 264, 168), QSize(64, 257)), QPoint(200, 0)); // never off
    QCOMPARE(centredOver(QRect(100, 0, 264, 0), QSize(351, 0)).x(), 57); // -87 / 2 rounds to 0
}

QTEST_APPLESS_MAIN(WindowMetricsTest)
#include "tst_windowmetrics.moc"
