// Rgb, its hexadecimal texts, the web-safe palette, the gradient rows and the block means.

#include "ColourMaths.h"
#include "Sampling.h"

#include <QTest>

class ColourTest : public QObject {
    Q_OBJECT
private slots:
    void packingKeepsLowByteOfEachChannel();
    void colourTextReadsRedGreenBlue();
    void webSafeBoundaries_data();
    void webSafeBoundaries();
    void gradientRowRunsOwnChannelAndKeepsOthers();
    void blockMeanTruncatesEachChannel();
};

void ColourTest::packingKeepsLowByteOfEachChannel() {
    const Rgb c(0x112, 0x234, -1);
    QCOMPARE(c.red(), 0x12);
    QCOMPARE(c.green(), 0x34);
    QCOMPARE(c.blue(), 0xFF);
    QCOMPARE(c.channel(Channel::Green), 0x34);
    QCOMPARE(c.withChannel(Channel::Blue, 0x156), Rgb(0x12, 0x34, 0x56));
    // Qt's form: opaque 0xAARRGGBB both ways, any alpha dropped.
    QCOMPARE(Rgb(0x12, 0x34, 0x56).toQRgb(), QRgb(0xFF123456));
    QCOMPARE(Rgb::fromQRgb(0x80ABCDEF), Rgb(0xAB, 0xCD, 0xEF));
    // White is one value, however it is made.
    QCOMPARE(Rgb(-1, 0x1FF, 0).withChannel(Channel::Blue, 0x3FF), Rgb::fromQRgb(0x00FFFFFF));
}

void ColourTest::colourTextReadsRedGreenBlue() {
    QCOMPARE(colourText(Rgb(0xAB, 0xCD, 0xEF)), QStringLiteral("$ABCDEF"));
    // The lowest bit of each channel shows.
    QCOMPARE(colourText(Rgb(1, 3, 5)), QStringLiteral("$010305"));
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
    QCOMPARE(webSafe(Rgb(value, 0, 0)), Rgb(expected, 0, 0));
    QCOMPARE(webSafe(Rgb(0, value, 0)), Rgb(0, expected, 0));
    QCOMPARE(webSafe(Rgb(0, 0, value)), Rgb(0, 0, expected));
    QCOMPARE(webSafe(Rgb(26, 128, 229)), Rgb(51, 153, 204)); // each channel in its own place
}

void ColourTest::gradientRowRunsOwnChannelAndKeepsOthers() {
    const Rgb colour(200, 100, 50);
    const auto green = gradientRow(Channel::Green, colour);
    QCOMPARE(green.front(), Rgb(200, 0, 50));
    QCOMPARE(green[1], Rgb(200, 2, 50));
    QCOMPARE(green.back(), Rgb(200, 254, 50)); // never 255
    const auto red = gradientRow(Channel::Red, colour);
    QCOMPARE(red[64], Rgb(128, 100, 50));
    const auto blue = gradientRow(Channel::Blue, colour);
    QCOMPARE(blue[127], Rgb(200, 100, 254));
    // The bar ignores its own channel's value.
    QVERIFY(gradientRow(Channel::Red, Rgb(0, 100, 50)) == red);
}

void ColourTest::blockMeanTruncatesEachChannel() {
    // Nine pixels whose sums are 9 x 10 + 8, 9 x 20 + 8 and 9 x 30 + 8: each mean truncates.
    std::array<ScreenPixel, 9> block;
    block.fill(Rgb(10, 20, 30));
    block[0] = Rgb(18, 28, 38);
    QCOMPARE(blockMean(block), Rgb(10, 20, 30));
    block[1] = Rgb(11, 21, 31);
    QCOMPARE(blockMean(block), Rgb(11, 21, 31));
    // A point off the screen counts 255 in every channel; alone, it is white.
    std::array<ScreenPixel, 9> edge;
    edge.fill(Rgb());
    edge[8] = std::nullopt;
    QCOMPARE(blockMean(edge), Rgb(28, 28, 28));
    QCOMPARE(blockMean(std::span(edge).last(1)), Rgb(255, 255, 255));
    QCOMPARE(blockSide(SamplingMethod::Mean7x7), 7);
    QCOMPARE(blockSide(static_cast<SamplingMethod>(4)), 0);
}

QTEST_APPLESS_MAIN(ColourTest)
#include "tst_colour.moc"
