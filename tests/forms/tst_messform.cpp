// The transient message window on the offscreen platform: its size for the lines it
// shows, its place, and a showing that only its own timer can end.

#include "FakePlatform.h"
#include "WhileShowing.h"
#include "core/Language.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include <memory>

namespace {

// The lines the memo itself shows its text in, as laid out on the screen.
int linesOnScreen(QTextEdit* memo) {
    int lines = 0;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
        lines += block.layout()->lineCount();
    }
    return memo->document()->isEmpty() ? 0 : lines;
}

} // namespace

class MessFormTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void sizedToDisplayedLines_data();
    void sizedToDisplayedLines();
    void returnsOnlyOnceTheTimerClosedIt();
    void centredOverMainWindowFirstTimeOnly();
    void messageArrivingMeanwhileFollowsWithItsOwnTime();

private:
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TMessageForm> m_form;
};

void MessFormTest::init() {
    LanguageCode.clear();
    m_platform = std::make_unique<FakePlatform>();
    m_main = std::make_unique<TMainForm>(*m_platform);
    MainForm = m_main.get();
    m_form = std::make_unique<TMessageForm>(m_main.get());
}

void MessFormTest::cleanup() {
    m_form.reset();
    m_main.reset();
    m_platform.reset();
}

void MessFormTest::sizedToDisplayedLines_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("height");
    QTest::newRow("nothing") << ""
                             << "" << 0 << 64;
    QTest::newRow("one line") << "Browser not opened."
                              << "" << 1 << 78;
    QTest::newRow("second line alone") << ""
                                       << "E-mail." << 1 << 78;
    QTest::newRow("two lines") << "Browser not opened."
                               << "Try again." << 2 << 92;
    QTest::newRow("one line that wraps")
        << "The browser could not be opened because no handler for web addresses is set up."
        << "" << 2 << 92;
}

void MessFormTest::sizedToDisplayedLines() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, lines);
    QFETCH(int, height);
    int shownLines = -1;
    QString firstShown;
    WhileShowing probe(*m_form, [&] {
        shownLines = linesOnScreen(m_form->MessageMemo);
        firstShown = m_form->MessageMemo->document()->firstBlock().text();
        m_form->TimerTimer();
    });
    m_form->ShowTimedMessage(first, second, 60000);
    QCOMPARE(probe.showings, 1);
    QCOMPARE(shownLines, lines); // what was counted is what the memo shows
    QCOMPARE(firstShown, first.isEmpty() ? second : first);
    // The sizes stay as the showing left them.
    QCOMPARE(m_form->MessageMemo->height(), height - 50);
    QCOMPARE(m_form->MessageMemo->y(), 18);
    QCOMPARE(m_form->size(), QSize(350, height));
}

void MessFormTest::returnsOnlyOnceTheTimerClosedIt() {
    bool visibleDuring = false;
    bool stillVisible = false;
    int interval = 0;
    WhileShowing probe(*m_form, [&] {
        visibleDuring = m_form->isVisible() && m_form->Timer->isActive();
        interval = m_form->Timer->interval();
        // Neither Escape nor a close request ends it early.
        QTest::keyClick(m_form.get(), Qt::Key_Escape);
        m_form->close();
        stillVisible = m_form->isVisible();
    });
    QElapsedTimer clock;
    clock.start();
    m_form->ShowTimedMessage(QStringLiteral("Browser not opened."), QString(), 300);
    const qint64 waited = clock.elapsed();
    QVERIFY(visibleDuring);
    QVERIFY(stillVisible);
    QCOMPARE(interval, 300);
    QVERIFY2(waited >= 300, qPrintable(QString::number(waited)));
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_form->Timer->isActive());
}

void MessFormTest::centredOverMainWindowFirstTimeOnly() {
    m_main->move(300, 200);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    QPoint shownAt;
    WhileShowing probe(*m_form, [&] {
        shownAt = m_form->pos();
        m_form->TimerTimer();
    });
    // Over the main window's frame, with this showing's height (78: one line).
    const QRect owner = m_main->frameGeometry();
    const QPoint centred(owner.left() + (owner.width() - 350) / 2,
                         owner.top() + (owner.height() - 78) / 2);
    m_form->ShowTimedMessage(QStringLiteral("one"), QString(), 60000);
    QCOMPARE(shownAt, centred);
    m_main->move(600, 500);
    m_form->ShowTimedMessage(QStringLiteral("one"), QStringLiteral("two"), 60000);
    QCOMPARE(shownAt, centred);
}

void MessFormTest::messageArrivingMeanwhileFollowsWithItsOwnTime() {
    QStringList shown;
    bool innerReturned = false;
    WhileShowing probe(*m_form, [&] {
        shown << m_form->MessageMemo->toPlainText();
        if (shown.size() == 1) {
            m_form->ShowTimedMessage(QStringLiteral("second"), QString(), 60000);
            innerReturned = true;
        }
        m_form->TimerTimer();
    });
    m_form->ShowTimedMessage(QStringLiteral("first"), QString(), 60000);
    QVERIFY(innerReturned);
    QCOMPARE(shown, QStringList({"first", "second"}));
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(MessFormTest)
#include "tst_messform.moc"
