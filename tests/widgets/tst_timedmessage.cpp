// The transient message window: sized to the lines it shows, placed once, ended only by its
// own timer, and never in the way of the main window.  Reports that arrive while one shows
// wait their turn; a report already showing or waiting is not repeated.

#include "StepArrows.h"
#include "TimedMessage.h"
#include "WidgetTestCase.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>

class TimedMessageTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void sizedToDisplayedLines_data();
    void sizedToDisplayedLines();
    void returnsAtOnceAndLeavesMainWindowUsable();
    void onlyItsTimerEndsItAndItIsPlacedOnce_data();
    void onlyItsTimerEndsItAndItIsPlacedOnce();
    void repeatedReportIsShownOnce();
    void endingForgetsWaitingReports_data();
    void endingForgetsWaitingReports();

private:
    QTextEdit* text() const { return find<QTextEdit>("messageText"); }
};

void TimedMessageTest::sizedToDisplayedLines_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("height");
    QTest::newRow("nothing") << ""
                             << "" << 64;
    QTest::newRow("second line alone") << ""
                                       << "Browser not opened." << 78;
    QTest::newRow("two lines") << "Browser not opened."
                               << "Try again." << 92;
    QTest::newRow("one line that wraps")
        << "The browser could not be opened because no handler for web addresses is set up."
        << "" << 92;
}

void TimedMessageTest::sizedToDisplayedLines() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, height);
    message()->showMessage(first, second, 60000);
    QVERIFY(message()->isVisible());
    // What the text really shows must be what was counted.
    const QTextDocument* document = text()->document();
    int linesShown = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        linesShown += document->isEmpty() ? 0 : block.layout()->lineCount();
    }
    QCOMPARE(linesShown, (height - 64) / 14);
    QCOMPARE(message()->size(), QSize(350, height));
    QCOMPARE(text()->geometry(), QRect(20, 18, 309, height - 50));
}

void TimedMessageTest::returnsAtOnceAndLeavesMainWindowUsable() {
    message()->showMessage(QStringLiteral("Browser not opened."), QString(), 60000);
    QVERIFY(message()->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // The main window's controls still work while the message shows.
    auto* arrows = find<StepArrows>("redArrows");
    QTest::mouseClick(arrows->arrow(StepArrows::Direction::Up), Qt::LeftButton);
    QCOMPARE(find<QSlider>("redSlider")->value(), 1);
    QVERIFY(message()->isVisible());
}

void TimedMessageTest::onlyItsTimerEndsItAndItIsPlacedOnce_data() {
    QTest::addColumn<bool>("atRightEdge");
    QTest::newRow("centred") << false;
    QTest::newRow("main window at the screen's right edge") << true;
}

void TimedMessageTest::onlyItsTimerEndsItAndItIsPlacedOnce() {
    QFETCH(bool, atRightEdge);
    MainWindow& main = window();
    const int screenEnd = main.screen()->geometry().right() + 1;
    main.move(atRightEdge ? screenEnd - main.width() : 300, 200);
    QTRY_VERIFY(main.geometry().left() >= 300); // the frame's size is the platform's
    const QRect owner = main.geometry();
    // Client areas centred, each half-difference rounded toward zero; the message, wider than
    // the main window, never reaches past the screen's edge.
    const QPoint centred(atRightEdge ? screenEnd - 350 : owner.left() + (owner.width() - 350) / 2,
                         owner.top() + (owner.height() - 78) / 2);
    QList<QPoint> places;
    QStringList texts;
    QObject probe;
    connect(message(), &QDialog::finished, &probe, [&] {
        places << message()->geometry().topLeft();
        texts << text()->toPlainText();
    });
    message()->showMessage(QStringLiteral("first"), QString(), 300);
    message()->showMessage(QStringLiteral("second"), QString(), 100);
    QTest::keyClick(message(), Qt::Key_Escape);
    message()->close();
    QVERIFY(message()->isVisible());
    main.move(600, 500);
    QTRY_VERIFY_WITH_TIMEOUT(places.size() == 2 && !message()->isVisible(), 10000);
    QCOMPARE(texts, QStringList({"first", "second"}));
    QCOMPARE(places, QList<QPoint>({centred, centred}));
}

void TimedMessageTest::repeatedReportIsShownOnce() {
    QStringList texts;
    QObject probe;
    connect(message(), &QDialog::finished, &probe, [&] { texts << text()->toPlainText(); });
    message()->showMessage(QStringLiteral("first"), QString(), 200);
    message()->showMessage(QStringLiteral("second"), QString(), 100);
    message()->showMessage(QStringLiteral("first"), QString(), 200);  // showing
    message()->showMessage(QStringLiteral("second"), QString(), 100); // waiting
    // The same first line with another second line is another report.
    message()->showMessage(QStringLiteral("first"), QStringLiteral("again"), 100);
    QTRY_VERIFY_WITH_TIMEOUT(texts.size() == 3 && !message()->isVisible(), 10000);
    QTest::qWait(150); // nothing else is waiting
    QCOMPARE(texts, QStringList({"first", "second", "first\nagain"}));
    // Once shown and gone, the same report shows again.
    message()->showMessage(QStringLiteral("first"), QString(), 100);
    QVERIFY(message()->isVisible());
    QCOMPARE(text()->toPlainText(), QStringLiteral("first"));
}

void TimedMessageTest::endingForgetsWaitingReports_data() {
    QTest::addColumn<bool>("closeMainWindow");
    QTest::newRow("dismissed") << false;
    QTest::newRow("main window closes") << true;
}

void TimedMessageTest::endingForgetsWaitingReports() {
    QFETCH(bool, closeMainWindow);
    QSignalSpy ended(message(), &QDialog::finished);
    message()->showMessage(QStringLiteral("first"), QString(), 100);
    message()->showMessage(QStringLiteral("second"), QString(), 100);
    if (closeMainWindow) {
        window().close();
    } else {
        message()->dismiss();
    }
    QVERIFY(!message()->isVisible());
    QTest::qWait(300); // well past the first report's time
    QVERIFY(!message()->isVisible());
    QCOMPARE(ended.size(), 0); // neither came up again
}

QTEST_MAIN(TimedMessageTest)
#include "tst_timedmessage.moc"
