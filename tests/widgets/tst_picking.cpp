// Pick mode with the fake platform services: the title, the capture, the end by a left or
// right press anywhere, by its keys or by opening a dialog, and where the focus lands
// afterwards.

#include "AboutDialog.h"
#include "ChannelSlider.h"
#include "OptionsDialog.h"
#include "WidgetTestCase.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

class PickingTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void titleNamesMethod_data();
    void titleNamesMethod();
    void startCapturesAndDisablesButton();
    void leftOrRightPressEndsAndKeepsLastColour_data();
    void leftOrRightPressEndsAndKeepsLastColour();
    void keysEndPickOrMoveItsPoint_data();
    void keysEndPickOrMoveItsPoint();
    void openingDialogEndsPickFirst_data();
    void openingDialogEndsPickFirst();
    void pressOverOwnControlEndsWithoutOperatingIt();
    void focusAfterPick_data();
    void focusAfterPick();
    void idlePressChangesNothing();
    void deactivationRetakesCaptureOnlyWhilePicking();

private:
};

void PickingTest::titleNamesMethod_data() {
    QTest::addColumn<InterfaceLanguage>("language");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("idleTitle");
    const auto en = InterfaceLanguage::English;
    const auto nl = InterfaceLanguage::Dutch;
    const QString dutch = QStringLiteral("Tintor, versie 1.00a");
    QTest::newRow("en 0") << en << 0 << Title::Picking << Title::Main;
    QTest::newRow("en 1") << en << 1 << "Picking 3x3 Average" << Title::Main;
    QTest::newRow("en 2") << en << 2 << "Picking 5x5 Average" << Title::Main;
    QTest::newRow("en 3") << en << 3 << "Picking 7x7 Average" << Title::Main;
    QTest::newRow("en 7") << en << 7 << "Picking ..." << Title::Main;
    QTest::newRow("nl 0") << nl << 0 << QString::fromUtf8("Pluk \u00c9\u00e9n Pixel") << dutch;
    QTest::newRow("nl 1") << nl << 1 << "Pluk 3x3-gemiddelde" << dutch;
    QTest::newRow("nl 2") << nl << 2 << "Pluk 5x5-gemiddelde" << dutch;
    QTest::newRow("nl 3") << nl << 3 << "Pluk 7x7-gemiddelde" << dutch;
    QTest::newRow("nl 255") << nl << 255 << "Pluk ..." << dutch;
}

void PickingTest::titleNamesMethod() {
    QFETCH(InterfaceLanguage, language);
    QFETCH(int, method);
    QFETCH(QString, title);
    QFETCH(QString, idleTitle);
    m_test.reset();
    m_test = std::make_unique<WidgetTest>(language);
    QVERIFY(m_test->restartWithMethod(method));
    QCOMPARE(window().windowTitle(), idleTitle);
    QTest::mouseClick(pickButton(), Qt::LeftButton);
    QCOMPARE(window().windowTitle(), title);
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(5, 100));
    QCOMPARE(window().windowTitle(), idleTitle);
}

void PickingTest::startCapturesAndDisablesButton() {
    QTest::mouseClick(pickButton(), Qt::LeftButton);
    QVERIFY(!pickButton()->isEnabled());
    QVERIFY(window().isPicking());
    QCOMPARE(platform().captures, 1);
    QCOMPARE(QWidget::mouseGrabber(), &window());
    // The pointer over the button shows the arrow until the next tick puts the hand back.
    QCOMPARE(pickButton()->cursor().shape(), Qt::ArrowCursor);
    QTRY_COMPARE(pickButton()->cursor().shape(), Qt::PointingHandCursor);
}

void PickingTest::leftOrRightPressEndsAndKeepsLastColour_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QEvent::Type>("press");
    QTest::newRow("left") << Qt::LeftButton << QEvent::MouseButtonPress;
    QTest::newRow("right") << Qt::RightButton << QEvent::MouseButtonPress;
    // The second click of a double-click, as Qt delivers it.
    QTest::newRow("quick second click") << Qt::LeftButton << QEvent::MouseButtonDblClick;
}

void PickingTest::leftOrRightPressEndsAndKeepsLastColour() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QEvent::Type, press);
    QVERIFY(m_test->pickFrom(Rgb(12, 34, 56)));

    // The press ends the mode; the capture lasts until its release.
    QMouseEvent pressed(press, QPointF(-200, -100), window().mapToGlobal(QPointF(-200, -100)),
                        button, button, {});
    QApplication::sendEvent(&window(), &pressed);
    QVERIFY(pickButton()->isEnabled());
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(platform().releases, 0);
    QTest::mouseRelease(&window(), button, {}, QPoint(-200, -100));
    QCOMPARE(platform().releases, 1);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);

    // The sliders keep the last tick's colour; later ticks leave them alone.
    platform().paint(31, 40, Rgb(1, 1, 1));
    platform().pointer = QPoint(31, 40);
    QTRY_COMPARE(coordinates()->text(), QStringLiteral("x:31\ny:40"));
    QVERIFY(m_test->waitForSample());
    QCOMPARE(window().colour(), Rgb(12, 34, 56));
}

void PickingTest::keysEndPickOrMoveItsPoint_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPoint>("moved"); // none for the keys that end the pick
    QTest::addColumn<Rgb>("kept");
    const Qt::KeyboardModifiers none;
    const Rgb line(40, 50, 60);
    // As in colour dialogs, Escape gives back the colour from before.
    QTest::newRow("Escape") << int(Qt::Key_Escape) << none << QPoint() << Rgb(9, 8, 7);
    QTest::newRow("Return") << int(Qt::Key_Return) << none << QPoint() << line;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << QPoint() << line;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << QPoint(-1, 0) << line;
    QTest::newRow("Shift+Down") << int(Qt::Key_Down) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                << QPoint(0, 10) << line;
}

void PickingTest::keysEndPickOrMoveItsPoint() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPoint, moved);
    QFETCH(Rgb, kept);
    QVERIFY(m_test->activate());
    m_test->setColour(Rgb(9, 8, 7));
    ChannelSlider* green = m_test->slider(Channel::Green);
    green->setFocus();
    const QPoint start(100, 100);
    platform().paint(start.x(), start.y(), Rgb(10, 20, 30));
    platform().paint(start.x() + moved.x(), start.y() + moved.y(), Rgb(40, 50, 60));
    platform().pointer = start;
    QTest::keyClick(green, Qt::Key_P, Qt::AltModifier);
    QTRY_COMPARE(window().colour(), platform().screenPixel(start));

    QTest::keyClick(green, Qt::Key(key), modifiers);
    QCOMPARE(window().isPicking(), !moved.isNull());
    QCOMPARE(platform().pointer, start + moved);
    QTest::keyClick(green, Qt::Key_Return);
    QVERIFY(!window().isPicking());
    // The point moved to was read at once, and the focused slider did not step.
    QVERIFY(m_test->waitForSample());
    QCOMPARE(window().colour(), kept);
    // Outside a pick the keys are the slider's again.
    QTest::keyClick(green, Qt::Key_Right);
    QCOMPARE(platform().pointer, start + moved);
    QCOMPARE(green->value(), kept.green() + 4);
}

void PickingTest::openingDialogEndsPickFirst_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Alt+O") << "Alt+O";
    QTest::newRow("options button") << "optionsButton";
    QTest::newRow("about button") << "aboutButton";
}

void PickingTest::openingDialogEndsPickFirst() {
    QFETCH(QString, how);
    QVERIFY(m_test->activate());
    m_test->setColour(Rgb(9, 8, 7));
    const Rgb picked(12, 34, 56);
    QVERIFY(m_test->pickFrom(picked));
    const bool about = how == QLatin1String("aboutButton");
    if (how == QLatin1String("Alt+O")) {
        QTest::keyClick(&window(), Qt::Key_O, Qt::AltModifier);
    } else {
        find<QAbstractButton>(how.toLatin1().constData())->click();
    }
    QDialog* dialog = about ? static_cast<QDialog*>(m_test->child<AboutDialog>())
                            : m_test->child<OptionsDialog>();
    QTRY_VERIFY(dialog->isVisible());
    // The pick is over before the dialog shows: capture given back, colour kept.
    QVERIFY(!window().isPicking());
    QVERIFY(pickButton()->isEnabled());
    QCOMPARE(platform().releases, 1);
    QVERIFY(QWidget::mouseGrabber() != &window());
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(window().colour(), picked);
    dialog->findChild<QAbstractButton*>(about ? "okButton" : "cancelButton")->click();
    QVERIFY(!dialog->isVisible());
    QVERIFY(m_test->waitForSample());
    QCOMPARE(window().colour(), picked);
    QVERIFY(pickButton()->isEnabled());
}

void PickingTest::pressOverOwnControlEndsWithoutOperatingIt() {
    auto* options = find<QPushButton>("optionsButton");
    QSignalSpy optionClicks(options, &QPushButton::clicked);
    QTest::mouseClick(pickButton(), Qt::LeftButton);
    // Through the window, as the server delivers it: the toolkit must route it to the
    // capturing window rather than to the button under the pointer.
    QTest::mouseClick(window().windowHandle(), Qt::LeftButton, {}, options->geometry().center());
    QVERIFY(pickButton()->isEnabled());
    QCOMPARE(optionClicks.size(), 0);
    QVERIFY(!options->isDown());
}

void PickingTest::focusAfterPick_data() {
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<QString>("focus");
    // A click on the button leaves no control with the focus: the first in tab order gets it.
    QTest::newRow("button clicked") << false << "redSlider";
    QTest::newRow("Alt+P in the green field") << true << "greenField";
}

void PickingTest::focusAfterPick() {
    QFETCH(bool, byKeyboard);
    QFETCH(QString, focus);
    QVERIFY(m_test->activate());
    QWidget* expected = find<QWidget>(focus.toLatin1().constData());
    if (byKeyboard) {
        expected->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), expected);
        QTest::keyClick(expected, Qt::Key_P, Qt::AltModifier);
    } else {
        QTest::mouseClick(pickButton(), Qt::LeftButton);
    }
    QVERIFY(window().isPicking()); // at once: the mnemonic does not animate a click first
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(5, 100));
    QVERIFY(!window().isPicking());
    QTest::qWait(100); // the window is activated again from the event loop
    QCOMPARE(QApplication::focusWidget(), expected);
}

void PickingTest::idlePressChangesNothing() {
    auto* green = find<QWidget>("greenSlider");
    green->setFocus();
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(5, 100));
    QTest::mouseClick(&window(), Qt::RightButton, {}, QPoint(5, 100));
    QCoreApplication::processEvents();
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(platform().captures, 0);
    QCOMPARE(platform().releases, 0);
    QCOMPARE(QApplication::focusWidget(), green);
}

void PickingTest::deactivationRetakesCaptureOnlyWhilePicking() {
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QCOMPARE(platform().captures, 0);
    QTest::mouseClick(pickButton(), Qt::LeftButton);
    QCOMPARE(platform().captures, 1);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QCOMPARE(platform().captures, 2);
    QVERIFY(window().isPicking());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(platform().captures, 2);
}

QTEST_MAIN(PickingTest)
#include "tst_picking.moc"
