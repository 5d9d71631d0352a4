// The transient message window on the offscreen platform: sized to the lines it shows,
// placed once, and ended only by its own timer.

#include "FakePlatform.h"
#include "WhileShowing.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"

#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include <memory>

class MessFormTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sizedToDisplayedLines_data();
    void sizedToDisplayedLines();
    void onlyItsTimerEndsItAndItIsPlacedOnce();

private:
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TMessageForm> m_form;
};

void MessFormTest::init() {
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

void MessFormTest::sizedToDisplayedLines() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, height);
    int linesShown = 0;
    WhileShowing probe(*m_form, [&] {
        // What the memo really shows must be what was counted.
        const QTextDocument* text = m_form->MessageMemo->document();
        for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
            linesShown += text->isEmpty() ? 0 : block.layout()->lineCount();
        }
        m_form->TimerTimer();
    });
    m_form->ShowTimedMessage(first, second, 60000);
    QCOMPARE(probe.showings, 1);
    QCOMPARE(linesShown, (height - 64) / 14);
    QCOMPARE(m_form->size(), QSize(350, height));
    QCOMPARE(m_form->MessageMemo->geometry(), QRect(20, 18, 309, height - 50));
}

void MessFormTest::onlyItsTimerEndsItAndItIsPlacedOnce() {
    m_main->move(300, 200);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    const QRect owner = m_main->frameGeometry();
    const QPoint centred(owner.left() + (owner.width() - 350) / 2,
                         owner.top() + (owner.height() - 78) / 2);
    QList<QPoint> places;
    bool stayedUp = false;
    int interval = 0;
    WhileShowing probe(*m_form, [&] {
        places << m_form->pos();
        interval = m_form->Timer->isActive() ? m_form->Timer->interval() : 0;
        QTest::keyClick(m_form.get(), Qt::Key_Escape);
        m_form->close();
        stayedUp = m_form->isVisible();
        if (places.size() == 1) {
            // A report arriving meanwhile waits for this one and then gets its own time.
            m_form->ShowTimedMessage(QStringLiteral("second"), QString(), 50);
            m_main->move(600, 500);
        }
    });
    m_form->ShowTimedMessage(QStringLiteral("first"), QString(), 50);
    QCOMPARE(probe.showings, 2);
    QVERIFY(stayedUp);
    QCOMPARE(interval, 50);
    QCOMPARE(places, QList<QPoint>({centred, centred}));
    QCOMPARE(m_form->MessageMemo->toPlainText(), QStringLiteral("second"));
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_form->Timer->isActive());
}

QTEST_MAIN(MessFormTest)
#include "tst_messform.moc"
