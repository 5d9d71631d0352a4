// The main window with the fake platform services: what it shows at start, in either
// language, its tab order and accessible names, the keys and menus that copy the colour in
// other programs' forms and open About, and the colours pasted, dropped and dragged out.  Its
// follower is in tst_follower.

#include "AboutDialog.h"
#include "ChannelSlider.h"
#include "GradientBar.h"
#include "Magnifier.h"
#include "StepArrows.h"
#include "TimedMessage.h"
#include "WidgetTestCase.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <memory>
#include <tuple>

namespace {

constexpr Channel Red = Channel::Red;

// The first column of `image` with ink (a dark pixel) in it.
int firstInk(const QImage& image) {
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(x, y).lightness() < 128) {
                return x;
            }
        }
    }
    return -1;
}

QString accessible(QWidget* widget, QAccessible::Text which) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(widget);
    return a != nullptr ? a->text(which) : QString();
}

} // namespace

class MainWindowTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void startsBlackWithDesignTexts();
    void dutchTexts();
    void tabOrderFollowsLayout();
    void controlsHaveAccessibleNames();
    void keysCopyAsHexAndOpenAbout();
    void pasteAndDropTakeColour();
};

void MainWindowTest::startsBlackWithDesignTexts() {
    for (const Channel channel : AllChannels) {
        QCOMPARE(m_test->slider(channel)->value(), 0);
        QCOMPARE(m_test->arrows(channel)->position(), 0);
        QCOMPARE(m_test->field(channel)->text(), QStringLiteral("$00"));
    }
    // No cascade has run yet: the outputs read as laid out.
    QCOMPARE(output("rgbText")->text(), QStringLiteral("#000000"));
    QCOMPARE(output("webText")->text(), QStringLiteral("#000000"));
    QCOMPARE(window().windowTitle(), Title::Main);
    QCOMPARE(find<QPushButton>("optionsButton")->text(), QStringLiteral("&Options..."));
    QCOMPARE(pickButton()->text(), QStringLiteral("&Pick From Screen"));
    QCOMPARE(window().minimumSize(), window().maximumSize()); // not resizable
    QCOMPARE(platform().readersTaken, 1);
    // Black-based bars: red runs from black to (254, 0, 0).
    QCOMPARE(paintedAt(m_test->gradient(Red), {0, 3}), QColor(0, 0, 0));
    QCOMPARE(paintedAt(m_test->gradient(Red), {127, 3}), QColor(254, 0, 0));
    QCOMPARE(paintedAt(swatch("colourSwatch"), {5, 5}), QColor(0, 0, 0));
    // The two fields: the button face behind a text without margins of its own (Qt's two
    // pixels, then the bearing of the "#").
    for (QLineEdit* field : {output("rgbText"), output("webText")}) {
        const QImage drawn = field->grab().toImage();
        QCOMPARE(drawn.pixelColor(drawn.width() - 1, 1),
                 window().palette().color(QPalette::Button));
        QCOMPARE(firstInk(drawn), 3);
    }
    // The follower runs from creation: the magnifier shows the single pixel under the pointer.
    platform().paint(0, 0, Rgb(1, 2, 3));
    QTRY_COMPARE(magnifier()->image().size(), QSize(1, 1));
    QTRY_COMPARE(magnifier()->image().pixelColor(0, 0), QColor(1, 2, 3));
    QCOMPARE(paintedAt(magnifier(), {47, 46}), QColor(1, 2, 3));
    QCOMPARE(window().colour(), Rgb(0, 0, 0)); // following is not picking
}

void MainWindowTest::dutchTexts() {
    m_test = std::make_unique<WidgetTest>(InterfaceLanguage::Dutch);
    QCOMPARE(window().windowTitle(), QStringLiteral("Tintor, versie 1.00a"));
    QCOMPARE(find<QPushButton>("optionsButton")->text(), QStringLiteral("&Opties"));
    QCOMPARE(pickButton()->text(), QStringLiteral("&Pluk van scherm"));
    // Texts that are the same in both languages stay as laid out.
    QCOMPARE(swatch("colourSwatch")->toolTip(), QStringLiteral("Colour\nblack"));
    m_test->setColour(Rgb(255, 99, 72));
    QCOMPARE(swatch("colourSwatch")->toolTip(), QStringLiteral("Colour\nbijna tomato"));
    QCOMPARE(find<QLabel>("rgbLabel")->text(), QStringLiteral("RGB:"));
    // Qt's own texts speak Dutch too: a text field's menu.
    const std::unique_ptr<QMenu> menu(m_test->field(Red)->createStandardContextMenu());
    QCOMPARE(menu->actions().constLast()->text().section(QLatin1Char('\t'), 0, 0),
             QStringLiteral("Alles selecteren"));
}

void MainWindowTest::tabOrderFollowsLayout() {
    QList<QWidget*> expected;
    for (const char* name : {"redSlider", "greenSlider", "blueSlider", "redField", "greenField",
                             "blueField", "pickButton", "optionsButton", "webText", "rgbText"}) {
        expected << find<QWidget>(name);
    }
    QWidget* w = expected.first();
    for (int i = 1; i <= expected.size(); ++i) {
        do {
            w = w->nextInFocusChain();
        } while (w->focusPolicy() == Qt::NoFocus || !w->isVisible() || w->focusProxy() != nullptr ||
                 w == &window());
        QCOMPARE(w, expected[i % expected.size()]); // and round again
    }
}

void MainWindowTest::controlsHaveAccessibleNames() {
    m_test->setColour(Rgb(255, 128, 0));
    QCOMPARE(WidgetTest::unnamedControls(window()), QString());
    QCOMPARE(accessible(output("rgbText"), QAccessible::Value), QStringLiteral("$FF8000"));
    QCOMPARE(accessible(output("webText"), QAccessible::Value), QStringLiteral("$FF9900"));
}

void MainWindowTest::keysCopyAsHexAndOpenAbout() {
    m_test->setColour(Rgb(255, 128, 0));
    QVERIFY(m_test->activate());
    QTest::keyClick(&window(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("#FF8000"));
    // Each field's menu, Qt's entries kept, shows and copies its own value in each form and
    // by its CSS name where it has one; the fields read as before.
    const std::tuple<Rgb, const char*, const char*, const char*> copies[] = {
        {{255, 128, 0}, "webText", "copyAsHex", "#FF9900"},
        {{255, 128, 0}, "rgbText", "copyAsHex", "#FF8000"},
        {{255, 128, 0}, "rgbText", "copyAsRgb", "rgb(255, 128, 0)"},
        {{255, 128, 0}, "webText", "copyAsHsl", "hsl(36, 100%, 50%)"},
        {{255, 128, 0}, "rgbText", "copyAsOklch", "oklch(0.732 0.1858 53)"},
        {{255, 128, 0}, "rgbText", "copyAsDollar", "$FF8000"},
        {{255, 99, 71}, "rgbText", "copyAsName", "tomato"}};
    for (const auto& [colour, name, form, copied] : copies) {
        m_test->setColour(colour);
        QGuiApplication::clipboard()->clear();
        QContextMenuEvent event(QContextMenuEvent::Mouse, {5, 5},
                                output(name)->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(output(name), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QVERIFY(menu->actions().size() > 3); // Copy, Select All, a separator and "Copy as"
        auto* action = menu->findChild<QMenu*>("copyAs")->findChild<QAction*>(form);
        QCOMPARE(action->shortcut().isEmpty(), QByteArray(form) != "copyAsHex");
        QCOMPARE(action->text(), QString::fromLatin1(copied));
        action->trigger();
        menu->close();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromLatin1(copied));
    }
    QCOMPARE(output("webText")->text(), QStringLiteral("$FF6633"));
    // The About button takes no focus: F1 is the keyboard's way in.
    QTest::keyClick(&window(), Qt::Key_F1);
    QTRY_VERIFY(window().findChild<AboutDialog*>() &&
                window().findChild<AboutDialog*>()->isVisible());
}

void MainWindowTest::pasteAndDropTakeColour() {
    QVERIFY(m_test->activate());
    m_test->find<QPushButton>("optionsButton")->setFocus(); // no field of its own takes Ctrl+V
    const auto paste = [this](const char* text) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
        QTest::keyClick(&window(), Qt::Key_V, Qt::ControlModifier);
    };
    paste(" rgb(1 2 3)\n");
    QCOMPARE(window().colour(), Rgb(1, 2, 3));
    paste("#FF8000 is orange");
    QCOMPARE(window().colour(), Rgb(1, 2, 3));
    QTRY_VERIFY(m_test->child<TimedMessage>()->isVisible());
    QCOMPARE(m_test->find<QTextEdit>("messageText")->toPlainText(),
             QStringLiteral("The clipboard holds no colour."));
    // Qt's colour data, dropped; the swatch carries a colour out in the same and as text.
    QMimeData data;
    data.setColorData(QColor(10, 20, 30));
    const auto drop = [this, &data] {
        QDragEnterEvent enter({100, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &enter);
        QDropEvent drop({100, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &drop);
        return drop.isAccepted(); // what the dragging program is told
    };
    QVERIFY(drop());
    QCOMPARE(window().colour(), Rgb(10, 20, 30));
    QTest::mousePress(swatch("colourSwatch"), Qt::LeftButton, {}, {5, 5});
    QTest::mouseMove(swatch("colourSwatch"), {30, 5});
    const auto* dragged = swatch("colourSwatch")->findChild<QDrag*>();
    QVERIFY(dragged != nullptr);
    QCOMPARE(dragged->mimeData()->text(), QStringLiteral("#0A141E"));
    QCOMPARE(qvariant_cast<QColor>(dragged->mimeData()->colorData()), QColor(10, 20, 30));
    // A pick in progress ignores both.
    QVERIFY(m_test->pickFrom(Rgb(5, 5, 5)));
    paste("#FFFFFF");
    QVERIFY(!drop());
    QCOMPARE(window().colour(), Rgb(5, 5, 5));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
