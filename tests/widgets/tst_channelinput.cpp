// The user's input to the channel controls of the main window: slider keys and drags, the
// step arrows, clicked, held and wheeled, and the text fields that take a typed channel text.

#include "ChannelSlider.h"
#include "ColourMaths.h"
#include "Magnifier.h"
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
#include <tuple>

using enum Channel;

class ChannelInputTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void userKeyNotifiesEvenWhenPositionStays();
    void thumbDragNotifiesEveryStepAndTwiceOnRelease();
    void arrowsStepByOneAndStopAtLimits_data();
    void arrowsStepByOneAndStopAtLimits();
    void heldArrowRepeatsAndReleasedSliderStops();
    void typedChannelTextIsTakenWhenWhole();
};

void ChannelInputTest::userKeyNotifiesEvenWhenPositionStays() {
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

void ChannelInputTest::thumbDragNotifiesEveryStepAndTwiceOnRelease() {
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

void ChannelInputTest::arrowsStepByOneAndStopAtLimits_data() {
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

void ChannelInputTest::arrowsStepByOneAndStopAtLimits() {
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

void ChannelInputTest::heldArrowRepeatsAndReleasedSliderStops() {
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

void ChannelInputTest::typedChannelTextIsTakenWhenWhole() {
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

QTEST_MAIN(ChannelInputTest)
#include "tst_channelinput.moc"
