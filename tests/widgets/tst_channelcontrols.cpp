// The channel controls of the main window: the update cascade from each control, the colour
// texts, the gradient bars and swatches as painted, and the snap to a displayable colour.  The
// user's input to them is in tst_channelinput.

#include "ChannelSlider.h"
#include "ColourMaths.h"
#include "GradientBar.h"
#include "MainWindow.h"
#include "StepArrows.h"
#include "WidgetTestCase.h"

#include <QLineEdit>
#include <QTest>

using enum Channel;

class ChannelControlsTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void cascadeShowsColourAndTouchesOnlyItsChannel();
    void colourTexts_data();
    void colourTexts();
    void programSetToSameValueRunsNothing();
    void webSwatchShowsDisplayableWebColour();
    void doubleClickSnapsToNearestDisplayable_data();
    void doubleClickSnapsToNearestDisplayable();
};

void ChannelControlsTest::cascadeShowsColourAndTouchesOnlyItsChannel() {
    m_test->setColour(Rgb(0, 8, 12));
    watchTexts();
    m_test->slider(Red)->setValue(40);
    // The arrows are set before the field, and the outputs follow the field.
    QCOMPARE(m_log, QStringList({"redField=$28@40", "rgbText=$28080C", "webText=$330000"}));
    QCOMPARE(m_test->arrows(Green)->position(), 8);
    QCOMPARE(m_test->field(Blue)->text(), QStringLiteral("$0C"));
    QCOMPARE(swatch("colourSwatch")->colour(), Rgb(40, 8, 12));
    QCOMPARE(swatch("webSwatch")->colour(), Rgb(51, 0, 0));
    // As painted: the swatches show the colours, the green and blue bars the new red.
    QCOMPARE(paintedAt(swatch("colourSwatch"), {5, 5}), QColor(40, 8, 12));
    QCOMPARE(paintedAt(swatch("webSwatch"), {5, 5}), QColor(51, 0, 0));
    QCOMPARE(m_test->gradient(Green)->size(), QSize(128, 7)); // a pixel for every other value
    QCOMPARE(paintedAt(m_test->gradient(Green), {0, 0}), QColor(40, 0, 12));
    QCOMPARE(paintedAt(m_test->gradient(Blue), {127, 6}), QColor(40, 8, 254));
    QCOMPARE(paintedAt(m_test->gradient(Red), {127, 6}), QColor(254, 8, 12));

    m_log.clear();
    m_test->slider(Blue)->setValue(13);
    QCOMPARE(m_log, QStringList({"blueField=$0D@13", "rgbText=$28080D"})); // same web colour
    QCOMPARE(paintedAt(m_test->gradient(Red), {0, 0}), QColor(0, 8, 13));
    QCOMPARE(paintedAt(m_test->gradient(Green), {64, 0}), QColor(40, 128, 13));
    QCOMPARE(paintedAt(m_test->gradient(Blue), {64, 0}), QColor(40, 8, 128));
}

void ChannelControlsTest::colourTexts_data() {
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("web");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("orange") << Rgb(255, 128, 0) << "$FF8000"
                            << "$FF9900" << QStringList{"$FF", "$80", "$00"};
    QTest::newRow("odd") << Rgb(0x0B, 0xC7, 0xFF) << "$0BC7FF"
                         << "$00CCFF" << QStringList{"$0B", "$C7", "$FF"};
}

void ChannelControlsTest::colourTexts() {
    QFETCH(Rgb, colour);
    QFETCH(QString, rgb);
    QFETCH(QString, web);
    QFETCH(QStringList, fields);
    m_test->setColour(colour);
    QCOMPARE(output("rgbText")->text(), rgb);
    QCOMPARE(output("webText")->text(), web);
    for (const Channel channel : AllChannels) {
        QCOMPARE(m_test->field(channel)->text(), fields.at(static_cast<int>(channel)));
    }
    QCOMPARE(window().colour(), colour);
}

void ChannelControlsTest::programSetToSameValueRunsNothing() {
    watchTexts();
    m_test->slider(Red)->setValue(0);
    m_test->slider(Green)->setValue(-5); // clamped to 0: still no change
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
    QCOMPARE(output("rgbText")->text(), QStringLiteral("#000000"));
    m_test->slider(Green)->setValue(300); // clamped to 255
    QCOMPARE(m_test->slider(Green)->value(), 255);
    QCOMPARE(m_test->field(Green)->text(), QStringLiteral("$FF"));
    QCOMPARE(output("rgbText")->text(), QStringLiteral("$00FF00"));
}

void ChannelControlsTest::webSwatchShowsDisplayableWebColour() {
    platform().useHighColour();
    m_test->setColour(Rgb(255, 128, 0));
    // The web-safe colour of the "Web:" text, as the screen can show it; the colour swatch
    // shows the colour itself.
    QCOMPARE(output("webText")->text(), QStringLiteral("$FF9900"));
    const Rgb shown = platform().nearest(Rgb(255, 153, 0));
    QVERIFY(shown != Rgb(255, 153, 0));
    QCOMPARE(swatch("webSwatch")->colour(), shown);
    QCOMPARE(paintedAt(swatch("webSwatch"), {10, 7}), QColor(shown.toQRgb()));
    QCOMPARE(paintedAt(swatch("colourSwatch"), {10, 7}), QColor(255, 128, 0));
}

void ChannelControlsTest::doubleClickSnapsToNearestDisplayable_data() {
    QTest::addColumn<Rgb>("colour");
    QTest::addColumn<QList<bool>>("moves");
    // 5-6-5: 255 and 130 are displayable as they are.
    QTest::newRow("red and green stay") << Rgb(255, 130, 3) << QList<bool>{false, false, true};
    QTest::newRow("every channel moves") << Rgb(250, 129, 3) << QList<bool>{true, true, true};
}

void ChannelControlsTest::doubleClickSnapsToNearestDisplayable() {
    QFETCH(Rgb, colour);
    QFETCH(QList<bool>, moves);
    m_test->setColour(colour);
    watchTexts();
    // True colour: the colour is its own nearest, so nothing moves.
    QTest::mouseDClick(swatch("webSwatch"), Qt::LeftButton);
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
    QCOMPARE(window().colour(), colour);

    platform().useHighColour();
    const Rgb nearest = platform().nearest(colour);
    QTest::mouseDClick(swatch("webSwatch"), Qt::LeftButton);
    QCOMPARE(window().colour(), nearest);
    QCOMPARE(swatch("colourSwatch")->colour(), nearest);
    QCOMPARE(output("rgbText")->text(), colourText(nearest));
    for (const Channel channel : AllChannels) {
        const bool moved = moves.at(static_cast<int>(channel));
        QCOMPARE(nearest.channel(channel) != colour.channel(channel), moved);
        const QString shown = channelText(nearest.channel(channel));
        QCOMPARE(m_test->field(channel)->text(), shown);
        // Only the channels that moved ran their cascade.
        const QString change = m_test->field(channel)->objectName() + '=' + shown + '@';
        QCOMPARE(m_log.filter(change).size(), moved ? 1 : 0);
    }
}

QTEST_MAIN(ChannelControlsTest)
#include "tst_channelcontrols.moc"
