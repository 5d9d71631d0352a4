// The main window with the fake platform services: what it shows at start, the update
// cascade from each control, the step arrows, the text fields that only show, the gradient
// bars and swatches as painted, the snap to a displayable colour, and the screen reader's
// return at close.

#include "WidgetTest.h"
#include "core/ColourMaths.h"
#include "widgets/ChannelSlider.h"
#include "widgets/ColourSwatch.h"
#include "widgets/GradientBar.h"
#include "widgets/Magnifier.h"
#include "widgets/StepArrows.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>

#include <array>
#include <memory>

namespace {

QColor toColor(Rgb colour) {
    return {colour.red(), colour.green(), colour.blue()};
}

QColor pixelOf(QWidget* widget, QPoint at) {
    return widget->grab().toImage().pixelColor(at);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

const char* const ChannelNames[] = {"red", "green", "blue"};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsBlackWithDesignTexts();
    void dutchTexts();
    void tabOrderFollowsLayout();
    void cascadeShowsColourAndTouchesOnlyItsChannel();
    void colourTexts_data();
    void colourTexts();
    void programSetToSameValueRunsNothing();
    void userKeyNotifiesEvenWhenPositionStays();
    void thumbDragNotifiesEveryStepAndTwiceOnRelease();
    void arrowsAtLimitDoNothing_data();
    void arrowsAtLimitDoNothing();
    void arrowsStepByOne_data();
    void arrowsStepByOne();
    void typedTextNeverChangesColour();
    void gradientBarShowsOtherChannelsAndNever255();
    void webSwatchShowsDisplayableWebColour();
    void doubleClickSnapsToNearestDisplayable_data();
    void doubleClickSnapsToNearestDisplayable();
    void coordinatesFollowPointer();
    void closeGivesScreenReaderBack();
    void controlsHaveAccessibleNames();

private:
    ChannelSlider* slider(int channel) const {
        return m_test->find<ChannelSlider>(name(channel, "Slider"));
    }
    QLineEdit* field(int channel) const {
        return m_test->find<QLineEdit>(name(channel, "Field"));
    }
    StepArrows* arrows(int channel) const {
        return m_test->find<StepArrows>(name(channel, "Arrows"));
    }
    GradientBar* gradient(int channel) const {
        return m_test->find<GradientBar>(name(channel, "Gradient"));
    }
    QLineEdit* rgbText() const { return m_test->find<QLineEdit>("rgbText"); }
    QLineEdit* webText() const { return m_test->find<QLineEdit>("webText"); }
    ColourSwatch* colourSwatch() const { return m_test->find<ColourSwatch>("colourSwatch"); }
    ColourSwatch* webSwatch() const { return m_test->find<ColourSwatch>("webSwatch"); }
    void setColour(Rgb colour) const {
        for (int channel = 0; channel < 3; ++channel) {
            slider(channel)->setValue(colour.channel(static_cast<Channel>(channel)));
        }
    }
    // Records every change of the five text fields, in order; a channel's field also
    // records where its arrows stood when its text changed.
    void watchTexts();
    static const char* name(int channel, const char* part) {
        static thread_local QByteArray buffer;
        buffer = QByteArray(ChannelNames[channel]) + part;
        return buffer.constData();
    }

    std::unique_ptr<WidgetTest> m_test;
    QStringList m_log;
};

void MainWindowTest::init() {
    m_test = std::make_unique<WidgetTest>();
    m_log.clear();
}

void MainWindowTest::cleanup() {
    m_test.reset();
}

void MainWindowTest::watchTexts() {
    for (int channel = 0; channel < 3; ++channel) {
        StepArrows* steps = arrows(channel);
        const QString label = QLatin1String(name(channel, "Field"));
        connect(field(channel), &QLineEdit::textChanged, this, [this, label, steps](const QString& t) {
            m_log << QStringLiteral("%1=%2@%3").arg(label, t).arg(steps->position());
        });
    }
    for (QLineEdit* output : {rgbText(), webText()}) {
        connect(output, &QLineEdit::textChanged, this, [this, output](const QString& t) {
            m_log << output->objectName() + QLatin1Char('=') + t;
        });
    }
}

void MainWindowTest::startsBlackWithDesignTexts() {
    MainWindow& window = m_test->window();
    for (int channel = 0; channel < 3; ++channel) {
        QCOMPARE(slider(channel)->value(), 0);
        QCOMPARE(arrows(channel)->position(), 0);
        QCOMPARE(field(channel)->text(), QStringLiteral("$00"));
    }
    // No cascade has run yet: the outputs read as laid out.
    QCOMPARE(rgbText()->text(), QStringLiteral("#000000"));
    QCOMPARE(webText()->text(), QStringLiteral("#000000"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Tintor, version 1.00"));
    QCOMPARE(m_test->find<QPushButton>("optionsButton")->text(), QStringLiteral("&Options..."));
    QCOMPARE(m_test->find<QPushButton>("pickButton")->text(), QStringLiteral("&Pick From Screen"));
    QCOMPARE(window.minimumSize(), window.maximumSize()); // not resizable
    QCOMPARE(m_test->platform().readersTaken, 1);
    // Black-based bars: red runs from black to (254, 0, 0).
    QCOMPARE(pixelOf(gradient(0), {0, 3}), QColor(0, 0, 0));
    QCOMPARE(pixelOf(gradient(0), {127, 3}), QColor(254, 0, 0));
    QCOMPARE(pixelOf(colourSwatch(), {5, 5}), QColor(0, 0, 0));
    // The follower runs from creation: the magnifier shows the single pixel under the pointer.
    m_test->platform().paint(0, 0, Rgb(1, 2, 3));
    auto* magnifier = m_test->find<Magnifier>("magnifier");
    QTRY_COMPARE(magnifier->image().size(), QSize(1, 1));
    QTRY_COMPARE(magnifier->image().pixelColor(0, 0), QColor(1, 2, 3));
    QCOMPARE(pixelOf(magnifier, {47, 46}), QColor(1, 2, 3));
    QCOMPARE(window.colour(), Rgb(0, 0, 0)); // following is not picking
}

void MainWindowTest::dutchTexts() {
    m_test.reset();
    m_test = std::make_unique<WidgetTest>(InterfaceLanguage::Dutch);
    QCOMPARE(m_test->window().windowTitle(), QStringLiteral("Tintor, versie 1.00a"));
    QCOMPARE(m_test->find<QPushButton>("optionsButton")->text(), QStringLiteral("&Opties"));
    QCOMPARE(m_test->find<QPushButton>("pickButton")->text(), QStringLiteral("&Pluk van scherm"));
    // Texts that are the same in both languages stay as laid out.
    QCOMPARE(colourSwatch()->toolTip(), QStringLiteral("Colour"));
    QCOMPARE(m_test->find<QLabel>("rgbLabel")->text(), QStringLiteral("RGB:"));
}

void MainWindowTest::tabOrderFollowsLayout() {
    const QList<QWidget*> expected{slider(0),
                                   slider(1),
                                   slider(2),
                                   field(0),
                                   field(1),
                                   field(2),
                                   m_test->find<QWidget>("pickButton"),
                                   m_test->find<QWidget>("optionsButton"),
                                   webText(),
                                   rgbText()};
    QWidget* w = expected.first();
    for (int i = 1; i <= expected.size(); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus || !w->isVisible() || w->focusProxy() != nullptr ||
                 w == &m_test->window());
        QCOMPARE(w, expected[i % expected.size()]); // and round again
    }
}

void MainWindowTest::cascadeShowsColourAndTouchesOnlyItsChannel() {
    slider(1)->setValue(8);
    slider(2)->setValue(12);
    watchTexts();
    slider(0)->setValue(40);
    // The arrows are set before the field, and the outputs follow the field.
    QCOMPARE(m_log, QStringList({"redField=$28@40", "rgbText=$28080C", "webText=$330000"}));
    QCOMPARE(arrows(1)->position(), 8);
    QCOMPARE(arrows(2)->position(), 12);
    QCOMPARE(field(1)->text(), QStringLiteral("$08"));
    QCOMPARE(field(2)->text(), QStringLiteral("$0C"));
    QCOMPARE(colourSwatch()->colour(), Rgb(40, 8, 12));
    QCOMPARE(webSwatch()->colour(), Rgb(51, 0, 0));
    // As painted: the swatch shows the colour, the green and blue bars the new red.
    QCOMPARE(pixelOf(colourSwatch(), {5, 5}), QColor(40, 8, 12));
    QCOMPARE(pixelOf(webSwatch(), {5, 5}), QColor(51, 0, 0));
    QCOMPARE(pixelOf(gradient(1), {0, 0}), QColor(40, 0, 12));
    QCOMPARE(pixelOf(gradient(2), {127, 6}), QColor(40, 8, 254));
    QCOMPARE(pixelOf(gradient(0), {127, 6}), QColor(254, 8, 12));

    m_log.clear();
    slider(2)->setValue(13);
    QCOMPARE(m_log, QStringList({"blueField=$0D@13", "rgbText=$28080D"})); // same web colour
    QCOMPARE(pixelOf(gradient(0), {0, 0}), QColor(0, 8, 13));
    QCOMPARE(pixelOf(gradient(1), {64, 0}), QColor(40, 128, 13));
    QCOMPARE(pixelOf(gradient(2), {64, 0}), QColor(40, 8, 128));
}

void MainWindowTest::colourTexts_data() {
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QString>("rgb");
    QTest::addColumn<QString>("web");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("orange") << 255 << 128 << 0 << "$FF8000" << "$FF9900"
                            << QStringList{"$FF", "$80", "$00"};
    // The lowest bit of every channel shows: odd digits last.
    QTest::newRow("low bits") << 1 << 2 << 3 << "$010203" << "$000000"
                              << QStringList{"$01", "$02", "$03"};
    QTest::newRow("odd") << 0x0B << 0xC7 << 0xFF << "$0BC7FF" << "$00CCFF"
                         << QStringList{"$0B", "$C7", "$FF"};
    QTest::newRow("web-safe halves") << 25 << 26 << 230 << "$191AE6" << "$0033FF"
                                     << QStringList{"$19", "$1A", "$E6"};
}

void MainWindowTest::colourTexts() {
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QString, rgb);
    QFETCH(QString, web);
    QFETCH(QStringList, fields);
    setColour(Rgb(red, green, blue));
    QCOMPARE(rgbText()->text(), rgb);
    QCOMPARE(webText()->text(), web);
    for (int channel = 0; channel < 3; ++channel) {
        QCOMPARE(field(channel)->text(), fields.at(channel));
    }
    QCOMPARE(m_test->window().colour(), Rgb(red, green, blue));
}

void MainWindowTest::programSetToSameValueRunsNothing() {
    watchTexts();
    slider(0)->setValue(0);
    slider(1)->setValue(-5); // clamped to 0: still no change
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
    QCOMPARE(rgbText()->text(), QStringLiteral("#000000"));
    slider(1)->setValue(300); // clamped to 255
    QCOMPARE(slider(1)->value(), 255);
    QCOMPARE(field(1)->text(), QStringLiteral("$FF"));
    QCOMPARE(rgbText()->text(), QStringLiteral("$00FF00"));
}

void MainWindowTest::userKeyNotifiesEvenWhenPositionStays() {
    ChannelSlider* red = slider(0);
    QSignalSpy changes(red, &ChannelSlider::changed);
    red->setFocus();
    // At 0, a step down cannot move; the press and the end of the key still notify, and
    // the first cascade replaces the design texts.
    QTest::keyClick(red, Qt::Key_Left);
    QCOMPARE(changes.size(), 2);
    QCOMPARE(red->value(), 0);
    QCOMPARE(rgbText()->text(), QStringLiteral("$000000"));
    QCOMPARE(webText()->text(), QStringLiteral("$000000"));

    changes.clear();
    QTest::keyClick(red, Qt::Key_Right);
    QCOMPARE(red->value(), 4); // arrow step
    QCOMPARE(changes.size(), 2);
    QTest::keyClick(red, Qt::Key_PageUp);
    QCOMPARE(red->value(), 20); // page step
    QCOMPARE(field(0)->text(), QStringLiteral("$14"));
    QCOMPARE(arrows(0)->position(), 20);
}

void MainWindowTest::thumbDragNotifiesEveryStepAndTwiceOnRelease() {
    ChannelSlider* track = slider(1);
    QStyleOptionSlider option;
    option.initFrom(track);
    option.orientation = Qt::Horizontal;
    option.minimum = track->minimum();
    option.maximum = track->maximum();
    option.sliderPosition = track->sliderPosition();
    option.sliderValue = track->value();
    const QRect handle =
        track->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, track);
    QSignalSpy changes(track, &ChannelSlider::changed);
    const QPoint start = handle.center();
    QTest::mousePress(track, Qt::LeftButton, {}, start);
    QTest::mouseMove(track, start + QPoint(20, 0));
    QTest::mouseMove(track, start + QPoint(40, 0));
    const int value = track->value();
    QVERIFY(value > 0);
    QCOMPARE(changes.size(), 2);
    QTest::mouseRelease(track, Qt::LeftButton, {}, start + QPoint(40, 0));
    QCOMPARE(changes.size(), 4);
    QCOMPARE(track->value(), value);
    QCOMPARE(field(1)->text(), text(channelText(value)));
}

void MainWindowTest::arrowsAtLimitDoNothing_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("value");
    QTest::addColumn<StepArrows::Direction>("direction");
    QTest::newRow("red at 0, down") << 0 << 0 << StepArrows::Direction::Down;
    QTest::newRow("green at 0, down") << 1 << 0 << StepArrows::Direction::Down;
    QTest::newRow("blue at 255, up") << 2 << 255 << StepArrows::Direction::Up;
    QTest::newRow("blue at 0, down") << 2 << 0 << StepArrows::Direction::Down;
}

void MainWindowTest::arrowsAtLimitDoNothing() {
    QFETCH(int, channel);
    QFETCH(int, value);
    QFETCH(StepArrows::Direction, direction);
    slider(channel)->setValue(value);
    watchTexts();
    QSignalSpy steps(arrows(channel), &StepArrows::stepped);
    QTest::mouseClick(arrows(channel)->arrow(direction), Qt::LeftButton);
    QCOMPARE(steps.size(), 0);
    QCOMPARE(arrows(channel)->position(), value);
    QCOMPARE(slider(channel)->value(), value);
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
}

void MainWindowTest::arrowsStepByOne_data() {
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("value");
    QTest::addColumn<StepArrows::Direction>("direction");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("red up to the limit") << 0 << 254 << StepArrows::Direction::Up << 255
                                         << "$FF0000";
    QTest::newRow("green up from 0") << 1 << 0 << StepArrows::Direction::Up << 1 << "$000100";
    QTest::newRow("green down to 0") << 1 << 1 << StepArrows::Direction::Down << 0 << "$000000";
    QTest::newRow("blue up") << 2 << 0x7F << StepArrows::Direction::Up << 0x80 << "$000080";
    QTest::newRow("blue down to 0") << 2 << 1 << StepArrows::Direction::Down << 0 << "$000000";
    QTest::newRow("blue down from the limit") << 2 << 255 << StepArrows::Direction::Down << 254
                                              << "$0000FE";
}

void MainWindowTest::arrowsStepByOne() {
    QFETCH(int, channel);
    QFETCH(int, value);
    QFETCH(StepArrows::Direction, direction);
    QFETCH(int, expected);
    QFETCH(QString, rgb);
    slider(channel)->setValue(value);
    QTest::mouseClick(arrows(channel)->arrow(direction), Qt::LeftButton);
    QCOMPARE(arrows(channel)->position(), expected);
    QCOMPARE(slider(channel)->value(), expected);
    QCOMPARE(field(channel)->text(), text(channelText(expected)));
    QCOMPARE(rgbText()->text(), rgb);
    QCOMPARE(colourSwatch()->colour().channel(static_cast<Channel>(channel)), expected);
}

void MainWindowTest::typedTextNeverChangesColour() {
    slider(0)->setValue(100);
    for (const char* typed : {"FF", "$7F", "zz", "", "255", "1234"}) {
        field(0)->clear();
        QTest::keyClicks(field(0), QString::fromLatin1(typed));
        QCOMPARE(slider(0)->value(), 100);
        QCOMPARE(rgbText()->text(), QStringLiteral("$640000"));
    }
    // Three characters at most: the fourth typed one is refused.
    QCOMPARE(field(0)->text(), QStringLiteral("123"));
    for (int channel = 1; channel < 3; ++channel) {
        field(channel)->clear();
        QTest::keyClicks(field(channel), QStringLiteral("$ABC"));
        QCOMPARE(field(channel)->text(), QStringLiteral("$AB"));
    }
    QCOMPARE(m_test->window().colour(), Rgb(100, 0, 0));
}

void MainWindowTest::gradientBarShowsOtherChannelsAndNever255() {
    setColour(Rgb(200, 255, 50));
    const QImage green = gradient(1)->grab().toImage();
    QCOMPARE(green.size(), QSize(128, 7));
    for (int y = 0; y < green.height(); ++y) {
        QCOMPARE(green.pixelColor(0, y), QColor(200, 0, 50));
        QCOMPARE(green.pixelColor(1, y), QColor(200, 2, 50));
        QCOMPARE(green.pixelColor(64, y), QColor(200, 128, 50));
        QCOMPARE(green.pixelColor(127, y), QColor(200, 254, 50));
    }
    const QImage blue = gradient(2)->grab().toImage();
    QCOMPARE(blue.pixelColor(127, 3), QColor(200, 255, 254));
}

void MainWindowTest::webSwatchShowsDisplayableWebColour() {
    FakePlatform& platform = m_test->platform();
    platform.useHighColour();
    setColour(Rgb(255, 128, 0));
    // The web-safe colour of the "Web:" text, as the screen can show it; the colour swatch
    // shows the colour itself.
    QCOMPARE(webText()->text(), QStringLiteral("$FF9900"));
    const Rgb shown = platform.nearest(Rgb(255, 153, 0));
    QVERIFY(shown != Rgb(255, 153, 0));
    QCOMPARE(webSwatch()->colour(), shown);
    QCOMPARE(pixelOf(webSwatch(), {10, 7}), toColor(shown));
    QCOMPARE(pixelOf(colourSwatch(), {10, 7}), QColor(255, 128, 0));
}

void MainWindowTest::doubleClickSnapsToNearestDisplayable_data() {
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<QList<bool>>("moves");
    // 5-6-5: 255 and 130 are displayable as they are.
    QTest::newRow("red and green stay") << 255 << 130 << 3 << QList<bool>{false, false, true};
    QTest::newRow("every channel moves") << 250 << 129 << 3 << QList<bool>{true, true, true};
}

void MainWindowTest::doubleClickSnapsToNearestDisplayable() {
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(QList<bool>, moves);
    const Rgb colour(red, green, blue);
    setColour(colour);
    watchTexts();
    // True colour: the colour is its own nearest, so nothing moves.
    QTest::mouseDClick(webSwatch(), Qt::LeftButton);
    QVERIFY2(m_log.isEmpty(), qPrintable(m_log.join(',')));
    QCOMPARE(m_test->window().colour(), colour);

    m_test->platform().useHighColour();
    const Rgb nearest = m_test->platform().nearest(colour);
    QTest::mouseDClick(webSwatch(), Qt::LeftButton);
    QCOMPARE(m_test->window().colour(), nearest);
    QCOMPARE(colourSwatch()->colour(), nearest);
    QCOMPARE(rgbText()->text(), text(colourText(nearest)));
    for (int channel = 0; channel < 3; ++channel) {
        const auto c = static_cast<Channel>(channel);
        QCOMPARE(nearest.channel(c) != colour.channel(c), moves.at(channel));
        QCOMPARE(field(channel)->text(), text(channelText(nearest.channel(c))));
        // Only the channels that moved ran their cascade.
        const QString changed = QLatin1String(name(channel, "Field=")) +
                                text(channelText(nearest.channel(c)));
        QCOMPARE(m_log.filter(changed).size(), moves.at(channel) ? 1 : 0);
    }
}

void MainWindowTest::coordinatesFollowPointer() {
    auto* label = m_test->find<QLabel>("coordinatesLabel");
    // x and y on two lines.
    m_test->platform().pointer = QPoint(12, 34);
    QTRY_COMPARE(label->text(), QStringLiteral("x:12\ry:34"));
    m_test->platform().pointer = QPoint(-12, 345);
    QTRY_COMPARE(label->text(), QStringLiteral("x:-12\ry:345"));
}

void MainWindowTest::closeGivesScreenReaderBack() {
    FakePlatform& platform = m_test->platform();
    QVERIFY(m_test->waitForSample());
    QCOMPARE(platform.readersReleased, 0);
    m_test->window().close();
    QCOMPARE(platform.readersReleased, 1);
    // No tick reads through the reader once it is given back.
    const int reads = platform.pixelReads + platform.blockReads;
    platform.pointer = QPoint(5, 5);
    QTest::qWait(200);
    QCOMPARE(platform.pixelReads + platform.blockReads, reads);
    m_test.reset();
    QCOMPARE(platform.readersTaken, 1);
    QCOMPARE(platform.readersReleased, 1);
}

void MainWindowTest::controlsHaveAccessibleNames() {
    setColour(Rgb(255, 128, 0));
    const auto name = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a != nullptr ? a->text(QAccessible::Name) : QString();
    };
    const auto value = [](QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a != nullptr ? a->text(QAccessible::Value) : QString();
    };
    QCOMPARE(name(slider(0)), QStringLiteral("Red"));
    QCOMPARE(name(slider(1)), QStringLiteral("Green"));
    QCOMPARE(name(slider(2)), QStringLiteral("Blue"));
    QCOMPARE(name(m_test->find<QWidget>("pickButton")), QStringLiteral("Pick From Screen"));
    QCOMPARE(name(m_test->find<QWidget>("optionsButton")), QStringLiteral("Options..."));
    QCOMPARE(name(rgbText()), QStringLiteral("RGB"));
    QCOMPARE(value(rgbText()), QStringLiteral("$FF8000"));
    QCOMPARE(name(webText()), QStringLiteral("Web"));
    QCOMPARE(value(webText()), QStringLiteral("$FF9900"));
    // Every control a user can reach or read has a name; the bars' frames only decorate.
    for (QWidget* w : m_test->window().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow()) {
            continue; // the dialogs the window owns
        }
        if (w->metaObject() != &QFrame::staticMetaObject) {
            QVERIFY2(!name(w).isEmpty(), qPrintable(w->objectName()));
        }
    }
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
