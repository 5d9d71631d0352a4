// WCAG 2.2's contrast ratio against W3C's published figures, the verdicts at its exact
// thresholds, and the nearest colour that meets one, as a property of many pairs.

#include "ColourSpaces.h"
#include "Contrast.h"

#include <QRandomGenerator>
#include <QTest>

#include <cmath>

using Contrast::Criterion;

namespace {

ColourSpaces::Triple oklab(Rgb c) {
    return ColourSpaces::srgbToOklab({c.red() / 255.0, c.green() / 255.0, c.blue() / 255.0});
}

// How far in OKLab's a and b half a step of each channel can move `c`: what rounding to
// eight bits may cost a hue.
double roundingAt(Rgb c) {
    double reach = 0;
    for (const Channel channel : AllChannels) {
        const int value = c.channel(channel);
        const auto [l, a, b] = oklab(c.withChannel(channel, value < 255 ? value + 1 : value - 1));
        reach += std::hypot(a - oklab(c)[1], b - oklab(c)[2]) / 2;
    }
    return reach;
}

} // namespace

class ContrastTest : public QObject {
    Q_OBJECT
private slots:
    void publishedRatios_data();
    void publishedRatios();
    void shownFigureNeverRoundsUpOntoAThreshold();
    void suggestionIsTheLeastLightnessStepThatMeets();
};

void ContrastTest::publishedRatios_data() {
    QTest::addColumn<Rgb>("first");
    QTest::addColumn<Rgb>("second");
    QTest::addColumn<QString>("figure");
    QTest::addColumn<QList<bool>>("meets"); // in the order of Contrast::AllCriteria
    const Rgb white(255, 255, 255);
    QTest::newRow("black on white")
        << Rgb(0, 0, 0) << white << "21.00" << QList{true, true, true, true, true};
    QTest::newRow("#777777 just below 4.5")
        << Rgb(0x77, 0x77, 0x77) << white << "4.47" << QList{false, true, false, false, true};
    QTest::newRow("#767676 just above 4.5")
        << Rgb(0x76, 0x76, 0x76) << white << "4.54" << QList{true, true, false, true, true};
    QTest::newRow("#595959 at 7") << Rgb(0x59, 0x59, 0x59) << white << "7.00"
                                  << QList{true, true, true, true, true};
    QTest::newRow("#949494 just above 3")
        << Rgb(0x94, 0x94, 0x94) << white << "3.03" << QList{false, true, false, false, true};
    QTest::newRow("#959595 just below 3")
        << Rgb(0x95, 0x95, 0x95) << white << "2.99" << QList{false, false, false, false, false};
    QTest::newRow("equal colours") << Rgb(0x33, 0x99, 0xCC) << Rgb(0x33, 0x99, 0xCC) << "1.00"
                                   << QList{false, false, false, false, false};
    QTest::newRow("pure red on white")
        << Rgb(255, 0, 0) << white << "3.99" << QList{false, true, false, false, true};
}

void ContrastTest::publishedRatios() {
    QFETCH(Rgb, first);
    QFETCH(Rgb, second);
    QFETCH(QString, figure);
    QFETCH(QList<bool>, meets);
    const double ratio = Contrast::ratio(first, second);
    QCOMPARE(Contrast::ratio(second, first), ratio);
    QCOMPARE(Contrast::ratioText(ratio), figure);
    for (qsizetype i = 0; i < meets.size(); ++i) {
        QCOMPARE(Contrast::meets(ratio, Contrast::AllCriteria[i]), meets[i]);
    }
}

void ContrastTest::shownFigureNeverRoundsUpOntoAThreshold() {
    QCOMPARE(Contrast::ratioText(4.499), QStringLiteral("4.49"));
    QVERIFY(!Contrast::meets(4.499, Criterion::AaNormalText));
    QCOMPARE(Contrast::ratioText(6.9999), QStringLiteral("6.99"));
    QVERIFY(!Contrast::meets(6.9999, Criterion::AaaNormalText));
    QVERIFY(Contrast::meets(3.0, Criterion::Graphics));
}

// For many pairs and each threshold: a colour that meets it gets no suggestion; otherwise
// each one offered meets it, keeps the colour's hue, moves the right way, and no smaller
// move along its lightness meets it; a direction is missing only where white or black
// itself would not meet it.
void ContrastTest::suggestionIsTheLeastLightnessStepThatMeets() {
    QRandomGenerator random(34);
    const auto any = [&random] {
        return Rgb(random.bounded(256), random.bounded(256), random.bounded(256));
    };
    for (int pair = 0; pair < 400; ++pair) {
        const Rgb kept = any();
        const Rgb other = any();
        const auto from = oklab(kept);
        for (const double minimum : {3.0, 4.5, 7.0}) {
            const Contrast::Suggestions offered = Contrast::nearestMeeting(kept, other, minimum);
            if (Contrast::ratio(kept, other) >= minimum) {
                QVERIFY(!offered.lighter && !offered.darker);
                continue;
            }
            QCOMPARE(offered.lighter.has_value(),
                     Contrast::ratio(Rgb(255, 255, 255), other) >= minimum);
            QCOMPARE(offered.darker.has_value(), Contrast::ratio(Rgb(0, 0, 0), other) >= minimum);
            for (const std::optional<Rgb> suggested : {offered.lighter, offered.darker}) {
                if (!suggested) {
                    continue;
                }
                const auto to = oklab(*suggested);
                QVERIFY(Contrast::ratio(*suggested, other) >= minimum);
                QCOMPARE(to[0] > from[0], suggested == offered.lighter);
                // The hue's line through the colour: the suggestion lies on it within the
                // eight bits' rounding, on the same side of grey.
                const double chroma = std::hypot(from[1], from[2]);
                if (chroma > 0.02) {
                    const double across = (to[2] * from[1] - to[1] * from[2]) / chroma;
                    const double along = (to[1] * from[1] + to[2] * from[2]) / chroma;
                    const double rounding = roundingAt(*suggested);
                    QVERIFY2(std::abs(across) <= rounding && along >= -rounding,
                             qPrintable(QStringLiteral("pair %1").arg(pair)));
                }
                // Every colour the line offers closer to the kept one fails.
                for (int step = 1; step < 64; ++step) {
                    const Rgb closer =
                        Contrast::withLightness(kept, from[0] + (to[0] - from[0]) * step / 64);
                    QVERIFY(Contrast::ratio(closer, other) < minimum ||
                            std::abs(oklab(closer)[0] - from[0]) >= std::abs(to[0] - from[0]));
                }
            }
        }
    }
}

QTEST_APPLESS_MAIN(ContrastTest)
#include "tst_contrast.moc"
