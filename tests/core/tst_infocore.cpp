// The information windows' toolkit-free rules: the mail link's text and the message
// window's size and place.

#include "core/MailLink.h"
#include "core/MessageMetrics.h"

#include <QTest>

#include <string>
#include <vector>

class InfoCoreTest : public QObject {
    Q_OBJECT
private slots:
    void mailTargetJoinsLinesAndEscapesNothing_data();
    void mailTargetJoinsLinesAndEscapesNothing();
    void messageHeights_data();
    void messageHeights();
    void centring_data();
    void centring();
};

void InfoCoreTest::mailTargetJoinsLinesAndEscapesNothing_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("body");
    QTest::newRow("one line") << QStringList{"Hi, all: see."} << "Hi, all: see.";
    QTest::newRow("empty lines between") << QStringList{"a", "", "", "b"} << "a%0D%0A%0D%0A%0D%0Ab";
    QTest::newRow("empty last line") << QStringList{"a", ""} << "a%0D%0A";
    QTest::newRow("no lines") << QStringList{} << "";
}

void InfoCoreTest::mailTargetJoinsLinesAndEscapesNothing() {
    QFETCH(QStringList, lines);
    QFETCH(QString, body);
    std::vector<std::string> bodyLines;
    for (const QString& line : lines) {
        bodyLines.push_back(line.toStdString());
    }
    const std::string subject = MailSubject("Tintor", "versie 1.00a");
    QCOMPARE(subject, std::string("Programma Tintor, versie 1.00a"));
    QCOMPARE(QString::fromStdString(MailTarget("a@example.org", subject, bodyLines)),
             "mailto:a@example.org?Subject=Programma Tintor, versie 1.00a&Body=" + body);
}

void InfoCoreTest::messageHeights_data() {
    QTest::addColumn<int>("pixels");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("memo");
    QTest::addColumn<int>("window");
    QTest::newRow("9 pt, empty") << 12 << 0 << 14 << 64;
    QTest::newRow("9 pt, one line") << 12 << 1 << 28 << 78;
    QTest::newRow("9 pt, two lines") << 12 << 2 << 42 << 92;
    QTest::newRow("8 pt rounds 12.8 up") << 11 << 1 << 26 << 76;
    QTest::newRow("10 pt") << 13 << 2 << 48 << 98;
    QTest::newRow("11 pt rounds 17.6 up") << 15 << 1 << 36 << 86;
}

void InfoCoreTest::messageHeights() {
    QFETCH(int, pixels);
    QFETCH(int, lines);
    QFETCH(int, memo);
    QFETCH(int, window);
    // The line height is rounded before it is multiplied.
    QCOMPARE(MessageMemoHeight(lines, PointSizeFromPixels(pixels)), memo);
    QCOMPARE(MessageWindowHeight(memo), window);
}

void InfoCoreTest::centring_data() {
    QTest::addColumn<int>("ownerStart");
    QTest::addColumn<int>("ownerExtent");
    QTest::addColumn<int>("extent");
    QTest::addColumn<int>("start");
    QTest::newRow("smaller") << 100 << 264 << 64 << 200;
    QTest::newRow("larger, odd difference toward zero") << 100 << 264 << 351 << 57;
    QTest::newRow("past the screen's edge") << 20 << 168 << 257 << 0;
}

void InfoCoreTest::centring() {
    QFETCH(int, ownerStart);
    QFETCH(int, ownerExtent);
    QFETCH(int, extent);
    QFETCH(int, start);
    QCOMPARE(CentredStart(ownerStart, ownerExtent, extent), start);
}

QTEST_APPLESS_MAIN(InfoCoreTest)
#include "tst_infocore.moc"
