// The channel controls of the main window: the update cascade from each control, the colour
// texts, slider keys and drags, the step arrows, the text fields that take a typed channel text,
// the gradient bars and swatches as painted, and the snap to a displayable colour.

#include "ChannelSlider.h"
#include "ColourMaths.h"
#include "ColourSwatch.h"
#include "GradientBar.h"
#include "Magnifier.h"
#include "MainWindow.h"
#include "StepArrows.h"
#include "WidgetTestCase.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

#include <memory>
#include <tuple>

namespace {

using enum Channel;

} // namespace

class ChannelControlsTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void init() { m_test = std::make_unique<WidgetTest>(); }

    void cascadeShowsColourAndTouchesOnlyItsChannel();
    void colourTexts_data();
    void colourTexts();
    void programSetToSameValueRunsNothing();
    void userKeyNotifiesEvenWhenPositionStays();
    void thumbDragNotifiesEveryStepAndTwiceOnRelease();
    void arrowsStepByOneAndStopAtLimits_data();
    void arrowsStepByOneAndStopAtLimits();
    void heldArrowRepeatsAndReleasedSliderStops();
    void typedChannelTextIsTakenWhenWhole();
    void gradientBarShowsOtherChannelsAndNever255();
    void webSwatchShowsDisplayableWebColour();
    void doubleClickSnapsToNearestDisplayable_data();
    void doubleClickSnapsToNearestDisplayable();

private:
    ColourSwatch* swatch(const char* name) const { return find<ColourSwatch>(name); }
    // Records every change of the five text fields, in order; a channel's field also
    // records where its arrows stood when its text changed.
    void watchTexts();

    QStringList m_log;
};

void ChannelControlsTest::watchTexts() {
    m_log.clear();
    for (const Channel channel : AllChannels) {
        QLineEdit* field = m_test->field(channel);
        StepArrows* steps = m_test->arrows(channel);
        connect(field, &QLineEdit::textChanged, this, [this, field, steps](const QString& t) {
            m_log << QStringLiteral("%1=%2@%3").arg(field->objectName(), t).arg(steps->position());
        });
    }
    for (QLineEdit* shown : {output("rgbText"), output("webText")}) {
        connect(shown, &QLineEdit::textChanged, this,
                [this, shown](const QString& t) { m_log << shown->objectName() + '=' + t; });
    }
}

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
    // The lowest bit of every channel shows: odd digits last.
    QTest::newRow("low bits") << Rgb(1, 2, 3) << "$010203"
                              << "$000000" << QStringList{"$01", "$02", "$03"};
    QTest::newRow("odd") << Rgb(0x0B, 0xC7, 0xFF) << "$0BC7FF"
                         << "$00CCFF" << QStringList{"$0B", "$C7", "$FF"};
    QTest::newRow("web-safe halves") << Rgb(25, 26, 230) << "$191AE6"
                                     << "$0033FF" << QStringList{"$19", "$1A", "$E6"};
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

void ChannelControlsTest::userKeyNotifiesEvenWhenPositionStays() {
    ChannelSlider* red = m_test->slider(Red);
    QSignalSpy changes(red, &ChannelSlider::changed);
    red->setFocus();
    // At 0, a step down cannot move; the press and the end of the key still notify, and
    // the first cascade replaces the design texts.
    QTest::keyClick(red, Qt::Key_Left);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(red->value(), 0);
    QCOMPARE(output("rgbText")->text(), QStringLiteral("$000000"));
    QCOMPARE(output("webText")->text(), QStringLiteral("$000000"));

    changes.clear();
    QTest::keyClick(red, Qt::Key_Right);
    QCOMPARE(red->value(), 4); // arrow step
    QCOMPARE(changes.size(), 2);
    QTest::keyClick(red, Qt::Key_PageUp);
    QCOMPARE(red->value(), 20); // page step
    QCOMPARE(m_test->field(Red)->text(), QStringLiteral("$14"));
    QCOMPARE(m_test->arrows(Red)->position(), 20);
}

void ChannelControlsTest::thumbDragNotifiesEveryStepAndTwiceOnRelease() {
    ChannelSlider* track = m_test->slider(Green);
    const QPoint start = m_test->handleCentre(Green);
    QSignalSpy changes(track, &ChannelSlider::changed);
    QTest::mousePress(track, Qt::LeftButton, {}, start);
    QTest::mouseMove(track, start + QPoint(20, 0));
    QTest::mouseMove(track, start + QPoint(40, 0));
    const int value = track->value();
    QVERIFY(value > 0);
    QCOMPARE(changes.size(), 2);
    QTest::mouseRelease(track, Qt::LeftButton, {}, start + QPoint(40, 0));
    QCOMPARE(changes.size(), 4);
    QCOMPARE(track->value(), value);
    QCOMPARE(m_test->field(Green)->text(), channelText(value));
}

void ChannelControlsTest::arrowsStepByOneAndStopAtLimits_data() {
    QTest::addColumn<Channel>("channel");
    QTest::addColumn<int>("value");
    QTest::addColumn<StepArrows::Direction>("direction");
    QTest::addColumn<int>("expected"); // the value itself: no step, and nothing runs
    const auto up = StepArrows::Direction::Up;
    const auto down = StepArrows::Direction::Down;
    QTest::newRow("red at 0, down") << Red << 0 << down << 0;
    QTest::newRow("red up to the limit") << Red << 254 << up << 255;
    QTest::newRow("green at 0, down") << Green << 0 << down << 0;
    QTest::newRow("green up from 0") << Green << 0 << up << 1;
    QTest::newRow("green down to 0") << Green << 1 << down << 0;
    QTest::newRow("blue at 255, up") << Blue << 255 << up << 255;
    QTest::newRow("blue at 0, down") << Blue << 0 << down << 0;
    QTest::newRow("blue up") << Blue << 0x7F << up << 0x80;
    QTest::newRow("blue down from the limit") << Blue << 255 << down << 254;
}

void ChannelControlsTest::arrowsStepByOneAndStopAtLimits() {
    QFETCH(Channel, channel);
    QFETCH(int, value);
    QFETCH(StepArrows::Direction, direction);
    QFETCH(int, expected);
    StepArrows* arrows = m_test->arrows(channel);
    m_test->slider(channel)->setValue(value);
    watchTexts();
    QSignalSpy steps(arrows, &StepArrows::stepped);
    QTest::mouseClick(arrows->arrow(direction), Qt::LeftButton);
    QCOMPARE(steps.size(), expected == value ? 0 : 1);
    QCOMPARE(arrows->position(), expected);
    QCOMPARE(m_test->slider(channel)->value(), expected);
    QCOMPARE(m_test->field(channel)->text(), channelText(expected));
    const Rgb colour = Rgb().withChannel(channel, expected);
    QCOMPARE(window().colour(), colour);
    if (expected == value) {
        QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
    } else {
        QCOMPARE(output("rgbText")->text(), colourText(colour));
    }
    // A wheel notch over the arrows steps the same way, by one.
    const int notch = direction == StepArrows::Direction::Up ? 120 : -120;
    QWheelEvent wheel({4, 4}, arrows->mapToGlobal(QPointF(4, 4)), {}, {0, notch}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(arrows, &wheel);
    const int wheeled = std::clamp(expected + notch / 120, 0, 255);
    QCOMPARE(m_test->slider(channel)->value(), wheeled);
    // Over the slider, by its step of 4, not by three of them.
    QApplication::sendEvent(m_test->slider(channel), &wheel);
    QCOMPARE(m_test->slider(channel)->value(), std::clamp(wheeled + notch / 30, 0, 255));
}

void ChannelControlsTest::heldArrowRepeatsAndReleasedSliderStops() {
    // Held, an arrow goes on stepping, as a spinner's does.
    QToolButton* up = m_test->arrows(Red)->arrow(StepArrows::Direction::Up);
    QTest::mousePress(up, Qt::LeftButton);
    QTRY_VERIFY(m_test->slider(Red)->value() > 2);
    QTest::mouseRelease(up, Qt::LeftButton);
    // A click beside the thumb pages once; the release ends the slider's own repeat.
    ChannelSlider* green = m_test->slider(Green);
    QTest::mouseClick(green, Qt::LeftButton, {}, m_test->handleCentre(Green) + QPoint(60, 0));
    QCOMPARE(green->value(), 16);
    QTest::qWait(700); // past the repeat's delay
    QCOMPARE(green->value(), 16);
}

void ChannelControlsTest::typedChannelTextIsTakenWhenWhole() {
    QLineEdit* red = m_test->field(Red);
    m_test->slider(Red)->setValue(100);
    // What is typed, the red value and the field's text once it is typed, and the field's
    // text after Return: never more than "$" and two digits.
    const std::tuple<const char*, int, const char*, const char*> typing[] = {
        {"FF", 255, "FF", "$FF"}, {"$7f", 0x7F, "$7f", "$7F"}, {"$7", 0x7F, "$7", "$7F"},
        {"zz", 0x7F, "", "$7F"},  {"", 0x7F, "", "$7F"},       {"1234", 0x12, "12", "$12"}};
    for (const auto& [typed, value, typedText, shown] : typing) {
        red->clear();
        QTest::keyClicks(red, QString::fromLatin1(typed));
        QCOMPARE(red->text(), QString::fromLatin1(typedText));
        QCOMPARE(m_test->slider(Red)->value(), value);
        QCOMPARE(m_test->arrows(Red)->position(), value);
        QCOMPARE(output("rgbText")->text(), colourText(Rgb(value, 0, 0)));
        QTest::keyClick(red, Qt::Key_Return);
        QCOMPARE(red->text(), QString::fromLatin1(shown));
    }
    // A click anywhere else in the window ends the edit too.
    QVERIFY(m_test->activate());
    const QList<QWidget*> elsewhere{&window(), coordinates(), magnifier(),
                                    find<QWidget>("colourSwatch")};
    for (QWidget* clicked : elsewhere) {
        red->setFocus();
        red->clear();
        QTest::keyClicks(red, QStringLiteral("5"));
        QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(red->text(), QStringLiteral("$12"));
    }
    // Three characters at most: the fourth typed one is refused, in every channel's field.
    for (const Channel channel : {Green, Blue}) {
        m_test->field(channel)->clear();
        QTest::keyClicks(m_test->field(channel), QStringLiteral("$ABC"));
        QCOMPARE(m_test->field(channel)->text(), QStringLiteral("$AB"));
    }
    QCOMPARE(window().colour(), Rgb(0x12, 0xAB, 0xAB));
}

void ChannelControlsTest::gradientBarShowsOtherChannelsAndNever255() {
    m_test->setColour(Rgb(200, 255, 50));
    const QImage green = m_test->gradient(Green)->grab().toImage();
    QCOMPARE(green.size(), QSize(128, 7));
    for (int y = 0; y < green.height(); ++y) {
        QCOMPARE(green.pixelColor(0, y), QColor(200, 0, 50));
        QCOMPARE(green.pixelColor(1, y), QColor(200, 2, 50));
        QCOMPARE(green.pixelColor(64, y), QColor(200, 128, 50));
        QCOMPARE(green.pixelColor(127, y), QColor(200, 254, 50));
    }
    QCOMPARE(paintedAt(m_test->gradient(Blue), {127, 3}), QColor(200, 255, 254));
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
