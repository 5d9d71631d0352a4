// The message window's size and place, without a display.  (The mail link's text is
// checked whole, in both languages, through the About window's test.)

#include "MessageMetrics.h"

#include <QTest>

class InfoCoreTest : public QObject {
    Q_OBJECT
private slots:
    void messageHeights_data();
    void messageHeights();
    void centring();
};

void InfoCoreTest::messageHeights_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("window");
    QTest::newRow("9 pt, empty") << 12 << 0 << 64;
    QTest::newRow("9 pt, one line") << 12 << 1 << 78;
    QTest::newRow("9 pt, two lines") << 12 << 2 << 92;
    QTest::newRow("8 pt: 12.8 rounds before multiplying") << 11 << 2 << 89;
    QTest::newRow("11 pt: 17.6") << 15 << 1 << 86;
}

void InfoCoreTest::messageHeights() {
    QFETCH(int, pixels);
    QFETCH(int, lines);
    QFETCH(int, window);
    QCOMPARE(messageWindowHeight(messageMemoHeight(lines, pointSizeFromPixels(pixels))), window);
}

void InfoCoreTest::centring() {
    QCOMPARE(centredStart(100, 264, 64), 200);
    QCOMPARE(centredStart(100, 264, 351), 57); // -87 / 2 rounds toward zero
    QCOMPARE(centredStart(20, 168, 257), 0);   // never off the screen's edge
}

QTEST_APPLESS_MAIN(InfoCoreTest)
#include "tst_infocore.moc"
