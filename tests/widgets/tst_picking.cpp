// Pick mode on the offscreen platform with the fake services: titles, the capture, the end
// by a left or right press anywhere, and where the focus lands.

#include "FakePlatform.h"
#include "core/Language.h"
#include "forms/ThinTrackBar.h"
#include "forms/TintorMain.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

class PickModeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleNamesChosenMethod_data();
    void titleNamesChosenMethod();
    void startCapturesAndDisablesButton();
    void leftOrRightPressEndsAndKeepsLastColour_data();
    void leftOrRightPressEndsAndKeepsLastColour();
    void pressOverOwnControlEndsWithoutOperatingIt();
    void focusLandsOnRedSliderAfterMousePick();
    void idlePressChangesNothing();
    void deactivationRetakesCaptureOnlyWhilePicking();
    void unknownMethodPicksBlack();
    void tickRestoresHandCursor();

private:
    void makeForm(const char* language);

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_form;
};

void PickModeTest::makeForm(const char* language) {
    m_form.reset();
    LanguageCode = language;
    m_form = std::make_unique<TMainForm>(*m_platform);
    m_form->PickTmr->stop(); // ticks run when the test says
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void PickModeTest::initTestCase() {
    // The offscreen platform has no pointer grab to take and says so at every capture;
    // the widget grab that routes the presses still works.
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.contains(QLatin1String("does not support grabbing the mouse"))) {
                previous(type, context, text);
            }
        });
}

void PickModeTest::init() {
    m_platform = std::make_unique<FakePlatform>();
    makeForm("");
}

void PickModeTest::cleanup() {
    m_form.reset();
    m_platform.reset();
    LanguageCode.clear();
}

void PickModeTest::titleNamesChosenMethod_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("idleTitle");
    const QString english = QStringLiteral("Tintor, version 1.00");
    const QString dutch = QStringLiteral("Tintor, versie 1.00a");
    QTest::newRow("en 0") << "" << 0 << "Picking Single Pixel" << english;
    QTest::newRow("en 1") << "" << 1 << "Picking 3x3 Average" << english;
    QTest::newRow("en 3") << "" << 3 << "Picking 7x7 Average" << english;
    QTest::newRow("en 7") << "" << 7 << "Picking ..." << english;
    QTest::newRow("nl 0") << "nld" << 0 << QString::fromUtf8("Pluk \u00c9\u00e9n Pixel") << dutch;
    QTest::newRow("nl 2") << "nld" << 2 << "Pluk 5x5-gemiddelde" << dutch;
    QTest::newRow("nl 3") << "nld" << 3 << "Pluk 7x7-gemiddelde" << dutch;
    QTest::newRow("nl 255") << "nld" << 255 << "Pluk ..." << dutch;
}

void PickModeTest::titleNamesChosenMethod() {
    QFETCH(QString, language);
    QFETCH(int, method);
    QFETCH(QString, title);
    QFETCH(QString, idleTitle);
    makeForm(language.toLatin1().constData());
    // As after a failed store: the chosen method is named, not the one in force.
    m_form->ChosenMethod = static_cast<SamplingMethod>(method);
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    QCOMPARE(m_form->windowTitle(), title);
    QCOMPARE(m_form->ActiveMethod, SamplingMethod{0});
    QTest::mouseClick(m_form.get(), Qt::LeftButton, {}, QPoint(5, 100));
    QCOMPARE(m_form->windowTitle(), idleTitle);
}

void PickModeTest::startCapturesAndDisablesButton() {
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    QVERIFY(!m_form->PFSBtn->isEnabled());
    QCOMPARE(m_platform->captures, 1);
    QCOMPARE(QWidget::mouseGrabber(), m_form.get());
    QCOMPARE(m_form->PFSBtn->cursor().shape(), Qt::ArrowCursor);
}

void PickModeTest::leftOrRightPressEndsAndKeepsLastColour_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
}

void PickModeTest::leftOrRightPressEndsAndKeepsLastColour() {
    QFETCH(Qt::MouseButton, button);
    m_platform->paint(30, 40, RGB(12, 34, 56));
    m_platform->pointer = ScreenPoint{30, 40};
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->CurrentColour(), RGB(12, 34, 56));

    // The press ends the mode; the capture lasts until its release.
    QTest::mousePress(m_form.get(), button, {}, QPoint(-200, -100));
    QVERIFY(m_form->PFSBtn->isEnabled());
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Tintor, version 1.00"));
    QCOMPARE(m_platform->releases, 0);
    QTest::mouseRelease(m_form.get(), button, {}, QPoint(-200, -100));
    QCOMPARE(m_platform->releases, 1);
    QCOMPARE(QWidget::mouseGrabber(), nullptr);

    // The sliders keep the last tick's colour; later ticks leave them alone.
    m_platform->pointer = ScreenPoint{31, 40};
    m_form->PickTmrTimer();
    QCOMPARE(m_form->CurrentColour(), RGB(12, 34, 56));
}

void PickModeTest::pressOverOwnControlEndsWithoutOperatingIt() {
    QSignalSpy optClicks(m_form->OptBtn, &QPushButton::clicked);
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    // Through the window, as the server delivers it: the toolkit must route it to the
    // capturing window rather than to the button under the pointer.
    const QPoint overOpt = m_form->OptBtn->geometry().center();
    QTest::mouseClick(m_form->windowHandle(), Qt::LeftButton, {}, overOpt);
    QVERIFY(m_form->PFSBtn->isEnabled());
    QCOMPARE(optClicks.size(), 0);
    QVERIFY(!m_form->OptBtn->isDown());
}

void PickModeTest::focusLandsOnRedSliderAfterMousePick() {
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    QTest::mouseClick(m_form.get(), Qt::LeftButton, {}, QPoint(5, 100));
    QTRY_COMPARE(QApplication::focusWidget(), m_form->TrackR);
}

void PickModeTest::idlePressChangesNothing() {
    m_form->TrackG->setFocus();
    QTest::mouseClick(m_form.get(), Qt::LeftButton, {}, QPoint(5, 100));
    QTest::mouseClick(m_form.get(), Qt::RightButton, {}, QPoint(5, 100));
    QCoreApplication::processEvents();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Tintor, version 1.00"));
    QCOMPARE(m_platform->captures, 0);
    QCOMPARE(m_platform->releases, 0);
    QCOMPARE(QApplication::focusWidget(), m_form->TrackG);
}

void PickModeTest::deactivationRetakesCaptureOnlyWhilePicking() {
    m_form->AppDeactivate();
    QCOMPARE(m_platform->captures, 0);
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    m_form->AppDeactivate();
    QCOMPARE(m_platform->captures, 2);
    QVERIFY(!m_form->PFSBtn->isEnabled());
    // Installed as the application's deactivation handler.
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    QCOMPARE(m_platform->captures, 3);
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    QCOMPARE(m_platform->captures, 3);
}

void PickModeTest::unknownMethodPicksBlack() {
    m_platform->screen.fill(Qt::white);
    m_form->TrackR->setValue(99);
    m_form->ChosenMethod = 7;
    m_form->ApplySamplingMethod();
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->CurrentColour(), RGB(0, 0, 0));
    QCOMPARE(m_platform->pixelReads + m_platform->blockReads, 0);
}

void PickModeTest::tickRestoresHandCursor() {
    QTest::mouseClick(m_form->PFSBtn, Qt::LeftButton);
    QCOMPARE(m_form->PFSBtn->cursor().shape(), Qt::ArrowCursor);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->PFSBtn->cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(PickModeTest)
#include "tst_pickmode.moc"
