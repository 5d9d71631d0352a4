// The recent colours and the contrast view in the main window's menus and on its keyboard.

#include "ColourMaths.h"
#include "ColourSwatch.h"
#include "Contrast.h"
#include "ContrastView.h"
#include "SettingsStore.h"
#include "TimedMessage.h"
#include "WidgetTestCase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QJsonArray>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

class RecentColoursTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void keptChosenAndCleared();
    void contrastViewComparesAndFixes();
};

// Picks, pastes, drops and choices enter the list, newest first and once each; slider moves
// do not.  The swatch's and the fields' menus and Alt+R offer it; the file keeps it.
void RecentColoursTest::keptChosenAndCleared() {
    QVERIFY(m_test->activate());
    m_test->find<QPushButton>("optionsButton")->setFocus();
    const auto paste = [this](const char* text) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        QTest::keyClick(&window(), Qt::Key_V, Qt::ControlModifier);
    };
    for (const char* text : {"#FF8000", "tomato", "#FF8000"}) {
        paste(text);
    }
    QCOMPARE(find<ColourSwatch>("colourSwatch")->toolTip(),
             QStringLiteral("Colour\nnear darkorange"));
    m_test->setColour(Rgb(1, 2, 3));
    QVERIFY(m_test->pickFrom(Rgb(255, 99, 72)));
    QTest::keyClick(&window(), Qt::Key_Return);
    QTRY_VERIFY(!window().isPicking());
    QCOMPARE(find<ColourSwatch>("colourSwatch")->toolTip(), QStringLiteral("Colour\nnear tomato"));
    const auto listed = [](QMenu* menu) { // "*": the colour framed in the text colour
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            const QImage sample = action->icon().pixmap(16).toImage();
            const bool framed = !sample.isNull() &&
                                sample.pixelColor(8, 8) == QColor(action->text()) &&
                                sample.pixelColor(0, 15) == menu->palette().color(QPalette::Text);
            texts << action->text() + (framed ? "*" : "");
        }
        return texts;
    };
    const auto popup = [](QWidget* target) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        return qobject_cast<QMenu*>(QApplication::activePopupWidget())
            ->findChild<QMenu*>("recentColours");
    };
    QMenu* recent = popup(find<ColourSwatch>("webSwatch")); // the strip below the swatch
    QCOMPARE(listed(recent), QStringList({"#FF6348*", "#FF8000*", "#FF6347*", "", "Clear"}));
    recent->actions().at(2)->trigger(); // chosen as a paste: to the top
    QApplication::activePopupWidget()->close();
    QCOMPARE(window().colour(), Rgb(255, 99, 71));
    QCOMPARE(m_test->settings().value(Settings::RecentColours),
             QJsonArray({"#FF6347", "#FF6348", "#FF8000"}));
    // Alt+R: the newest entry active, Down and Return choose the next.
    QTest::keyClick(&window(), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QCOMPARE(window().colour(), Rgb(255, 99, 72));
    paste("hsla(0, 100%, 50%, 0.5)");
    QTRY_COMPARE(
        m_test->find<QTextEdit>("messageText")->toPlainText(),
        QStringLiteral("The colour's transparency is dropped: Tintor's colours are opaque."));
    m_test->restart();
    recent = popup(output("webText"));
    QCOMPARE(listed(recent),
             QStringList({"#FF0000*", "#FF6348*", "#FF6347*", "#FF8000*", "", "Clear"}));
    recent->findChild<QAction*>("clearRecentColours")->trigger();
    QApplication::activePopupWidget()->close();
    QVERIFY(!popup(find<ColourSwatch>("colourSwatch"))
                 ->findChild<QAction*>("clearRecentColours")
                 ->isEnabled());
}

// Alt+C shows the view below the window, kept across restarts; it compares the colour with
// the one under the pointer (during a pick, the one from before it), and a suggestion taken
// meets the criterion that failed and is kept as a paste is; the menus' entry hides it.
void RecentColoursTest::contrastViewComparesAndFixes() {
    QVERIFY(m_test->activate());
    const QSize plain = window().size();
    QTest::keyClick(&window(), Qt::Key_C, Qt::AltModifier);
    auto* view = find<ContrastView>("contrastView");
    const QSize withView = plain + QSize(0, view->height());
    QCOMPARE(window().size(), withView);
    const Rgb grey(0x77, 0x77, 0x77);
    platform().screen.fill(grey.toQRgb());
    m_test->setColour(Rgb(255, 255, 255));
    QTRY_COMPARE(view->accessibleName(), "contrast 4.47 to 1, AA normal text fails");
    QVERIFY(
        !view->findChild<QWidget*>("aaNormalText")->findChild<QWidget*>("lighter")->isVisible());
    auto* darker = view->findChild<QWidget*>("aaNormalText")->findChild<QAbstractButton*>("darker");
    QTest::mouseClick(darker, Qt::LeftButton);
    QVERIFY(Contrast::ratio(window().colour(), grey) >= 4.5);
    QCOMPARE(m_test->settings().value(Settings::RecentColours).toArray().first(),
             webColourText(window().colour()));
    QTRY_VERIFY(view->accessibleName().endsWith("AA normal text passes"));
    const Rgb fixed = window().colour();
    QVERIFY(m_test->pickFrom(Rgb(255, 255, 255)));
    const QString figure = Contrast::ratioText(Contrast::ratio(Rgb(255, 255, 255), fixed));
    QTRY_VERIFY(view->accessibleName().startsWith("contrast " + figure + " to 1"));
    QTest::keyClick(&window(), Qt::Key_Escape);
    m_test->restart();
    QCOMPARE(window().size(), withView);
    QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5}, {5, 5});
    QApplication::sendEvent(find<ColourSwatch>("colourSwatch"), &event);
    auto* entry = window().findChild<QAction*>("showContrast");
    QVERIFY(QApplication::activePopupWidget()->actions().contains(entry));
    entry->trigger();
    QCOMPARE(window().size(), plain);
    QCOMPARE(m_test->settings().value(Settings::ContrastView), false);
}

QTEST_MAIN(RecentColoursTest)
#include "tst_recentcolours.moc"
