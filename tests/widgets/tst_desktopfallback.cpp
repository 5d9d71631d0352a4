// Picking through the desktop where it gives no screenshot: its own colour picker gives the
// colour instead, and where that fails too a message says why the screen was not read.  Cases
// of tst_desktoppick, which runs them.

#include "ChannelSlider.h"
#include "DesktopPickTest.h"
#include "TimedMessage.h"

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include <memory>

void DesktopPickTest::desktopColourWhereNoScreenshot() {
    m_test->setColour(Rgb(9, 8, 7));
    pickButton()->click();
    m_picker->fail(DesktopCapture::Refusal::Unavailable);
    QCOMPARE(m_picker->calls, QStringList({"screenshot", "colour"}));
    QVERIFY(window().isPicking());
    QCOMPARE(window().colour(), Rgb(9, 8, 7));

    m_picker->giveColour(Rgb(51, 102, 153));
    QCOMPARE(m_test->slider(Channel::Red)->value(), 51);
    QCOMPARE(m_test->slider(Channel::Green)->value(), 102);
    QCOMPARE(m_test->slider(Channel::Blue)->value(), 153);
    QCOMPARE(output("rgbText")->text(), QStringLiteral("$336699"));
    QVERIFY(!window().isPicking());
    QVERIFY(pickButton()->isEnabled());
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(platform().captures, 0);
    QVERIFY(!message()->isVisible());
}

void DesktopPickTest::neitherWorksSaysWhy_data() {
    using F = DesktopCapture::Refusal;
    QTest::addColumn<InterfaceLanguage>("language");
    QTest::addColumn<F>("screenshotFailure");
    QTest::addColumn<F>("pickerFailure");
    QTest::addColumn<QString>("text");
    const auto en = InterfaceLanguage::English;
    const QString notRead = QStringLiteral("Screen not read.\n");
    // The reason given is the screenshot's, whatever the colour picker answered.
    QTest::newRow("refused") << en << F::Refused << F::Unavailable
                             << notRead + "The desktop refused the screenshot.";
    QTest::newRow("unavailable") << en << F::Unavailable << F::Refused
                                 << notRead + "The desktop offers no screenshot.";
    QTest::newRow("timed out") << en << F::TimedOut << F::Failed
                               << notRead + "The desktop did not answer.";
    QTest::newRow("failed") << en << F::Failed << F::TimedOut
                            << notRead + "The desktop could not take the screenshot.";
    QTest::newRow("Dutch") << InterfaceLanguage::Dutch << F::Refused << F::Failed
                           << "Scherm niet gelezen.\nHet bureaublad weigerde de schermafdruk.";
}

void DesktopPickTest::neitherWorksSaysWhy() {
    QFETCH(InterfaceLanguage, language);
    QFETCH(DesktopCapture::Refusal, screenshotFailure);
    QFETCH(DesktopCapture::Refusal, pickerFailure);
    QFETCH(QString, text);
    start(language);
    m_test->setColour(Rgb(9, 8, 7));
    pickButton()->click();
    m_picker->fail(screenshotFailure);
    QVERIFY(!message()->isVisible());
    QCOMPARE(platform().keptAbove, (std::vector{false, true})); // on top once answered
    m_picker->fail(pickerFailure);
    QCOMPARE(m_picker->calls.mid(0, 2), QStringList({"screenshot", "colour"}));
    QVERIFY(!window().isPicking());
    QVERIFY(pickButton()->isEnabled());
    QCOMPARE(window().colour(), Rgb(9, 8, 7));
    QVERIFY(message()->isVisible());
    QCOMPARE(find<QTextEdit>("messageText")->toPlainText(), text);
}

// Xwayland learns the pointer's place only from motion over its own windows: a pick started
// with the pointer over another program must not read the last place it knew.
void DesktopPickTest::stalePointerIsNotReadUntilItMoves() {
    m_test->setColour(Rgb(9, 8, 7));
    const QPoint stale(30, 40);
    platform().pointer = stale;
    QCursor::setPos(window().geometry().bottomRight() + QPoint(50, 50));
    QTest::keyClick(&window(), Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(window().isPicking());
    QImage picture(window().screen()->geometry().size(), QImage::Format_RGB32);
    picture.fill(qRgb(200, 100, 0));
    m_picker->giveScreenshot(picture);
    QTest::qWait(200); // four ticks
    QCOMPARE(window().colour(), Rgb(9, 8, 7));
    QCOMPARE(coordinates()->text(), QStringLiteral("x:?\ny:?"));
    platform().pointer = stale + QPoint(1, 0);
    QTRY_COMPARE(window().colour(), Rgb(200, 100, 0));
    QCOMPARE(coordinates()->text(), QStringLiteral("x:31\ny:40"));
}

// The desktop may ask the user first, for as long as the user needs: Escape ends the pick at
// any time, puts the colour back, and a late answer changes nothing.
void DesktopPickTest::escapeWhileDesktopIsBusy_data() {
    QTest::addColumn<bool>("screenshotRefused");
    QTest::newRow("screenshot pending") << false;
    QTest::newRow("colour picker pending") << true;
}

void DesktopPickTest::escapeWhileDesktopIsBusy() {
    QFETCH(bool, screenshotRefused);
    m_test->setColour(Rgb(9, 8, 7));
    QTest::keyClick(&window(), Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(window().isPicking());
    if (screenshotRefused) {
        m_picker->fail(DesktopCapture::Refusal::Refused);
    }
    QTest::keyClick(&window(), Qt::Key_Escape);
    QVERIFY(!window().isPicking());
    QCOMPARE(m_picker->calls.last(), QStringLiteral("cancel"));
    m_picker->giveColour(Rgb(1, 2, 3));
    m_picker->fail(DesktopCapture::Refusal::Failed);
    QCOMPARE(window().colour(), Rgb(9, 8, 7));
    QVERIFY(!message()->isVisible());
    QCOMPARE(platform().keptAbove, (std::vector{false, true}));
}
