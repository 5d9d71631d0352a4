#include "core/ColourMaths.h"

#include <QTest>

class ColourTest : public QObject {
    Q_OBJECT
private slots:
    void packingKeepsLowByteOfEachChannel();
    void htmlOrderReadsRedGreenBlue();
    void webSafeBoundaries_data();
    void webSafeBoundaries();
    void webSafeRoundsEachChannelInPlace();
    void channelAndColourTexts_data();
    void channelAndColourTexts();
    void orangeExample();
    void gradientRowRunsOwnChannelAndKeepsOthers();
    void nearestTrueColour();
};

void ColourTest::packingKeepsLowByteOfEachChannel() {
    QCOMPARE(RGB(0x12, 0x34, 0x56), 0x563412u);
    QCOMPARE(RGB(0x112, 0x234, 0x356), 0x563412u);
    QCOMPARE(RGB(-1, 0, 0), 0x0000FFu);
    const ColourRef c = RGB(10, 20, 30);
    QCOMPARE(GetRValue(c), 10);
    QCOMPARE(GetGValue(c), 20);
    QCOMPARE(GetBValue(c), 30);
    QCOMPARE(ChannelValue(c, 1), 10);
    QCOMPARE(ChannelValue(c, 3), 30);
    QCOMPARE(GetRValue(CLR_INVALID), 255);
    QCOMPARE(GetBValue(CLR_INVALID), 255);
}

void ColourTest::htmlOrderReadsRedGreenBlue() {
    QCOMPARE(HtmlOrder(0xAB, 0xCD, 0xEF), 0xABCDEFu);
}

void ColourTest::webSafeBoundaries_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("expected");
    const int cases[][2] = {{0, 0},     {25, 0},    {26, 51},   {76, 51},   {77, 102},  {127, 102},
                            {128, 153}, {178, 153}, {179, 204}, {229, 204}, {230, 255}, {255, 255}};
    for (const auto& c : cases) {
        QTest::addRow("%d", c[0]) << c[0] << c[1];
    }
}

void ColourTest::webSafeBoundaries() {
    QFETCH(int, value);
    QFETCH(int, expected);
    // The same rounding in every channel position.
    QCOMPARE(WebSafeColour(RGB(value, 0, 0)), RGB(expected, 0, 0));
    QCOMPARE(WebSafeColour(RGB(0, value, 0)), RGB(0, expected, 0));
    QCOMPARE(WebSafeColour(RGB(0, 0, value)), RGB(0, 0, expected));
}

void ColourTest::webSafeRoundsEachChannelInPlace() {
    QCOMPARE(WebSafeColour(RGB(26, 128, 229)), RGB(51, 153, 204));
    // The high byte of an invalid read is dropped, its channels round as 255.
    QCOMPARE(WebSafeColour(CLR_INVALID), RGB(255, 255, 255));
}

void ColourTest::channelAndColourTexts_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "$00";
    QTest::newRow("one digit") << 9 << "$09";
    QTest::newRow("upper case") << 0xAB << "$AB";
    QTest::newRow("top") << 255 << "$FF";
}

void ColourTest::channelAndColourTexts() {
    QFETCH(int, channel);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ChannelText(channel)), text);
    QCOMPARE(QString::fromStdString(ColourText(0)), QStringLiteral("$000000"));
    QCOMPARE(QString::fromStdString(ColourText(0x0A0B0C)), QStringLiteral("$0A0B0C"));
}

void ColourTest::orangeExample() {
    const std::uint32_t html = HtmlOrder(255, 128, 0);
    QCOMPARE(QString::fromStdString(ColourText(html)), QStringLiteral("$FF8000"));
    QCOMPARE(QString::fromStdString(ColourText(WebSafeColour(html))), QStringLiteral("$FF9900"));
    QCOMPARE(QString::fromStdString(ChannelText(255)), QStringLiteral("$FF"));
    QCOMPARE(QString::fromStdString(ChannelText(128)), QStringLiteral("$80"));
}

void ColourTest::gradientRowRunsOwnChannelAndKeepsOthers() {
    const ColourRef colour = RGB(200, 100, 50);
    const auto green = GradientRow(2, colour);
    QCOMPARE(green.front(), RGB(200, 0, 50));
    QCOMPARE(green[1], RGB(200, 2, 50));
    QCOMPARE(green.back(), RGB(200, 254, 50)); // never 255
    const auto red = GradientRow(1, colour);
    QCOMPARE(red[64], RGB(128, 100, 50));
    const auto blue = GradientRow(3, colour);
    QCOMPARE(blue[127], RGB(200, 100, 254));
    // The bar ignores its own channel's value.
    QVERIFY(GradientRow(1, RGB(0, 100, 50)) == red);
}

void ColourTest::nearestTrueColour() {
    // 24-bit masks: every colour is displayable.
    QCOMPARE(NearestTrueColour(RGB(1, 2, 3), 0xFF0000, 0xFF00, 0xFF), RGB(1, 2, 3));
    // 5-6-5: 5 bits hold 32 levels, 6 bits 64, rounded to the nearest level.
    QCOMPARE(NearestTrueColour(RGB(255, 255, 255), 0xF800, 0x07E0, 0x001F), RGB(255, 255, 255));
    QCOMPARE(NearestTrueColour(RGB(0, 0, 0), 0xF800, 0x07E0, 0x001F), RGB(0, 0, 0));
    QCOMPARE(NearestTrueColour(RGB(4, 2, 4), 0xF800, 0x07E0, 0x001F), RGB(0, 0, 0));
    QCOMPARE(NearestTrueColour(RGB(5, 3, 5), 0xF800, 0x07E0, 0x001F), RGB(8, 4, 8));
    QCOMPARE(NearestTrueColour(RGB(128, 128, 128), 0xF800, 0x07E0, 0x001F), RGB(132, 130, 132));
}

QTEST_APPLESS_MAIN(ColourTest)
#include "tst_colour.moc"
