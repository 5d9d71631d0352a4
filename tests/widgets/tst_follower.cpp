// The main window's follower with the fake platform services: the pointer's coordinates
// (both lines inside their label), what its ticks sample by each method, a tick without a
// pointer, and the screen reader's return at close.

#include "Magnifier.h"
#include "WidgetTestCase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The lines of text drawn in `image`, top to bottom: each the box around its dark pixels.
// A gap of a row or two is within a line (a descender may stand apart).
std::vector<QRect> drawnLines(const QImage& image) {
    std::vector<QRect> lines;
    int lastInk = -3;
    for (int y = 0; y < image.height(); ++y) {
        QRect ink;
        for (int x = 0; x < image.width(); ++x) {
            ink |= image.pixelColor(x, y).lightness() < 100 ? QRect(x, y, 1, 1) : QRect();
        }
        if (!ink.isEmpty()) {
            if (y - lastInk > 3) {
                lines.emplace_back();
            }
            lines.back() |= ink;
            lastInk = y;
        }
    }
    return lines;
}

} // namespace

class FollowerTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void coordinatesFollowPointer_data();
    void coordinatesFollowPointer();
    void closeGivesScreenReaderBack();
    void sampleByMethod_data();
    void sampleByMethod();
    void tickWithoutPointerChangesNothing();
};

void FollowerTest::coordinatesFollowPointer_data() {
    QTest::addColumn<QPoint>("pointer");
    for (const QPoint p : {QPoint(12, 345), QPoint(5, 100), QPoint(7, 7), QPoint(-12, 540)}) {
        QTest::addRow("%d,%d", p.x(), p.y()) << p;
    }
}

void FollowerTest::coordinatesFollowPointer() {
    QFETCH(QPoint, pointer);
    auto* label = coordinates();
    platform().pointer = pointer;
    QTRY_VERIFY(label->text().contains(QString::number(pointer.y())));
    // Drawn as two lines, "x:" above "y:", each as wide as its own text, both inside the
    // label: drawn with room below, the second line's lowest ink is inside.
    const QSize laidOut = label->size();
    label->resize(laidOut.width(), 3 * laidOut.height());
    const std::vector<QRect> lines = drawnLines(label->grab().toImage());
    label->resize(laidOut);
    QCOMPARE(lines.size(), 2U);
    const QStringList texts = {QStringLiteral("x:%1").arg(pointer.x()),
                               QStringLiteral("y:%1").arg(pointer.y())};
    for (std::size_t i = 0; i < 2; ++i) {
        const int advance = label->fontMetrics().horizontalAdvance(texts[int(i)]);
        QVERIFY2(std::abs(lines[i].right() + 1 - advance) <= 2, qPrintable(texts[int(i)]));
    }
    QVERIFY(lines[1].bottom() < laidOut.height());
}

void FollowerTest::closeGivesScreenReaderBack() {
    QVERIFY(m_test->waitForSample());
    // Every 50 ms, not as fast as the event loop runs.
    const int ticked = platform().pixelReads + platform().blockReads;
    QTest::qWait(200);
    QVERIFY(platform().pixelReads + platform().blockReads - ticked <= 5);
    QCOMPARE(platform().readersReleased, 0);
    window().close();
    QCOMPARE(platform().readersReleased, 1);
    // No tick reads through the reader once it is given back.
    const int reads = platform().pixelReads + platform().blockReads;
    platform().pointer = QPoint(5, 5);
    QTest::qWait(200);
    QCOMPARE(platform().pixelReads + platform().blockReads, reads);
    QCOMPARE(platform().readersTaken, 1);
    QCOMPARE(platform().readersReleased, 1);
}

void FollowerTest::sampleByMethod_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<Rgb>("expected");
    // Red 200 all round, green 100 in one pixel, blue 17 in another.  Truncated, not
    // rounded: 100/9 = 11.1 and 17/9 = 1.9.
    QTest::newRow("3x3") << 1 << QPoint(100, 100) << Rgb(200, 11, 1);
    QTest::newRow("5x5") << 2 << QPoint(100, 100) << Rgb(200, 4, 0); // 4.0 and 0.7
    QTest::newRow("7x7") << 3 << QPoint(100, 100) << Rgb(200, 2, 0); // 2.04 and 0.3
    // At the corner five of nine pixels are off the screen and count 255: 1275/9 = 141.7.
    QTest::newRow("3x3 at the corner") << 1 << QPoint(0, 0) << Rgb(141, 141, 141);
    // A stored value past the known methods samples nothing and picks black.
    QTest::newRow("unknown") << 7 << QPoint(100, 100) << Rgb(0, 0, 0);
}

void FollowerTest::sampleByMethod() {
    QFETCH(int, method);
    QFETCH(QPoint, centre);
    QFETCH(Rgb, expected);
    QVERIFY(m_test->restartWithMethod(method));
    const int readsBefore = platform().pixelReads + platform().blockReads;
    if (centre != QPoint(0, 0)) {
        platform().screen.fill(QColor(200, 0, 0));
        platform().paint(centre.x(), centre.y(), Rgb(200, 100, 0));
        platform().paint(centre.x() + 1, centre.y(), Rgb(200, 0, 17));
    }
    m_test->setColour(Rgb(99, 98, 97));
    platform().pointer = centre;
    QSignalSpy shown(output("rgbText"), &QLineEdit::textChanged);
    pickButton()->click();
    QTRY_COMPARE(window().colour(), expected);
    QCOMPARE(shown.size(), 1); // the tick shows its colour once, not once per channel
    const int side = method <= 3 ? 2 * method + 1 : 0;
    QCOMPARE(platform().pixelReads + platform().blockReads > readsBefore, side > 0);
    QCOMPARE(magnifier()->image().size(), QSize(side, side));
}

void FollowerTest::tickWithoutPointerChangesNothing() {
    QVERIFY(m_test->pickFrom(Rgb(12, 34, 56)));
    auto* label = coordinates();
    QTRY_COMPARE(label->text(), QStringLiteral("x:30\ny:40"));
    const QImage shown = magnifier()->image();
    const int reads = platform().pixelReads + platform().blockReads;

    platform().pointer = std::nullopt;
    platform().paint(30, 40, Rgb(200, 100, 50));
    QTest::qWait(250); // several ticks
    QCOMPARE(platform().pixelReads + platform().blockReads, reads);
    QCOMPARE(window().colour(), Rgb(12, 34, 56));
    QCOMPARE(label->text(), QStringLiteral("x:30\ny:40"));
    QCOMPARE(magnifier()->image(), shown);
    QVERIFY(window().isPicking());

    // The ticks were running all along: with the pointer back, the pick goes on.
    platform().pointer = QPoint(30, 40);
    QTRY_COMPARE(window().colour(), Rgb(200, 100, 50));
}

QTEST_MAIN(FollowerTest)
#include "tst_follower.moc"
