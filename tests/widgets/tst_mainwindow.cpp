// The main window with the fake platform services: what it shows at start, in either
// language, its tab order and accessible names, the pointer's coordinates (both lines inside
// their label), what the follower's ticks sample by each method, the screen reader's return
// at close, the keys and menus that copy the colour in other programs' forms and open About,
// and the colours pasted, dropped and dragged out.

#include "AboutDialog.h"
#include "ChannelSlider.h"
#include "ColourSwatch.h"
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
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
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

// The lines of text drawn in `image`, top to bottom: each the box around its dark pixels.
// A gap of a row or two is within a line (a descender may stand apart).
std::vector<QRect> drawnLines(const QImage& image) {
    std::vector<QRect> lines;
    int lastInk = -3;
    for (int y = 0; y < image.height(); ++y) {
        QRect ink;
        for (int x = 0; x < image.width(); ++x) {
            ink |= image.pixelColor(x, y).lightness() < 100 ? QRect(x, y, 1, 1) : QRect();
        }
        if (!ink.isEmpty()) {
            if (y - lastInk > 3) {
                lines.emplace_back();
            }
            lines.back() |= ink;
            lastInk = y;
        }
    }
    return lines;
}

} // namespace

class MainWindowTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void init() { m_test = std::make_unique<WidgetTest>(); }

    void startsBlackWithDesignTexts();
    void dutchTexts();
    void tabOrderFollowsLayout();
    void coordinatesFollowPointer_data();
    void coordinatesFollowPointer();
    void closeGivesScreenReaderBack();
    void controlsHaveAccessibleNames();
    void sampleByMethod_data();
    void sampleByMethod();
    void tickWithoutPointerChangesNothing();
    void keysCopyAsHexAndOpenAbout();
    void pasteAndDropTakeColour();

private:
    ColourSwatch* swatch(const char* name) const { return find<ColourSwatch>(name); }
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

void MainWindowTest::coordinatesFollowPointer_data() {
    QTest::addColumn<QPoint>("pointer");
    for (const QPoint p : {QPoint(12, 345), QPoint(5, 100), QPoint(7, 7), QPoint(-12, 540)}) {
        QTest::addRow("%d,%d", p.x(), p.y()) << p;
    }
}

void MainWindowTest::coordinatesFollowPointer() {
    QFETCH(QPoint, pointer);
    auto* label = coordinates();
    platform().pointer = pointer;
    QTRY_VERIFY(label->text().contains(QString::number(pointer.y())));
    // Drawn as two lines, "x:" above "y:", each as wide as its own text, both inside the
    // label: drawn with room below, the second line's lowest ink is inside.
    const QSize laidOut = label->size();
    label->resize(laidOut.width(), 3 * laidOut.height());
    const std::vector<QRect> lines = drawnLines(label->grab().toImage());
    label->resize(laidOut);
    QCOMPARE(lines.size(), 2U);
    const QStringList texts = {QStringLiteral("x:%1").arg(pointer.x()),
                               QStringLiteral("y:%1").arg(pointer.y())};
    for (std::size_t i = 0; i < 2; ++i) {
        const int advance = label->fontMetrics().horizontalAdvance(texts[int(i)]);
        QVERIFY2(std::abs(lines[i].right() + 1 - advance) <= 2, qPrintable(texts[int(i)]));
    }
    QVERIFY(lines[1].bottom() < laidOut.height());
}

void MainWindowTest::closeGivesScreenReaderBack() {
    QVERIFY(m_test->waitForSample());
    // Every 50 ms, not as fast as the event loop runs.
    const int ticked = platform().pixelReads + platform().blockReads;
    QTest::qWait(200);
    QVERIFY(platform().pixelReads + platform().blockReads - ticked <= 5);
    QCOMPARE(platform().readersReleased, 0);
    window().close();
    QCOMPARE(platform().readersReleased, 1);
    // No tick reads through the reader once it is given back.
    const int reads = platform().pixelReads + platform().blockReads;
    platform().pointer = QPoint(5, 5);
    QTest::qWait(200);
    QCOMPARE(platform().pixelReads + platform().blockReads, reads);
    QCOMPARE(platform().readersTaken, 1);
    QCOMPARE(platform().readersReleased, 1);
}

void MainWindowTest::controlsHaveAccessibleNames() {
    m_test->setColour(Rgb(255, 128, 0));
    QCOMPARE(WidgetTest::unnamedControls(window()), QString());
    QCOMPARE(accessible(output("rgbText"), QAccessible::Value), QStringLiteral("$FF8000"));
    QCOMPARE(accessible(output("webText"), QAccessible::Value), QStringLiteral("$FF9900"));
}

void MainWindowTest::sampleByMethod_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<QPoint>("centre");
    QTest::addColumn<Rgb>("expected");
    // Red 200 all round, green 100 in one pixel, blue 17 in another.  Truncated, not
    // rounded: 100/9 = 11.1 and 17/9 = 1.9.
    QTest::newRow("3x3") << 1 << QPoint(100, 100) << Rgb(200, 11, 1);
    QTest::newRow("5x5") << 2 << QPoint(100, 100) << Rgb(200, 4, 0); // 4.0 and 0.7
    QTest::newRow("7x7") << 3 << QPoint(100, 100) << Rgb(200, 2, 0); // 2.04 and 0.3
    // At the corner five of nine pixels are off the screen and count 255: 1275/9 = 141.7.
    QTest::newRow("3x3 at the corner") << 1 << QPoint(0, 0) << Rgb(141, 141, 141);
    // A stored value past the known methods samples nothing and picks black.
    QTest::newRow("unknown") << 7 << QPoint(100, 100) << Rgb(0, 0, 0);
}

void MainWindowTest::sampleByMethod() {
    QFETCH(int, method);
    QFETCH(QPoint, centre);
    QFETCH(Rgb, expected);
    QVERIFY(m_test->restartWithMethod(method));
    const int readsBefore = platform().pixelReads + platform().blockReads;
    if (centre != QPoint(0, 0)) {
        platform().screen.fill(QColor(200, 0, 0));
        platform().paint(centre.x(), centre.y(), Rgb(200, 100, 0));
        platform().paint(centre.x() + 1, centre.y(), Rgb(200, 0, 17));
    }
    m_test->setColour(Rgb(99, 98, 97));
    platform().pointer = centre;
    QSignalSpy shown(output("rgbText"), &QLineEdit::textChanged);
    pickButton()->click();
    QTRY_COMPARE(window().colour(), expected);
    QCOMPARE(shown.size(), 1); // the tick shows its colour once, not once per channel
    const int side = method <= 3 ? 2 * method + 1 : 0;
    QCOMPARE(platform().pixelReads + platform().blockReads > readsBefore, side > 0);
    QCOMPARE(magnifier()->image().size(), QSize(side, side));
}

void MainWindowTest::tickWithoutPointerChangesNothing() {
    QVERIFY(m_test->pickFrom(Rgb(12, 34, 56)));
    auto* label = coordinates();
    QTRY_COMPARE(label->text(), QStringLiteral("x:30\ny:40"));
    const QImage shown = magnifier()->image();
    const int reads = platform().pixelReads + platform().blockReads;

    platform().pointer = std::nullopt;
    platform().paint(30, 40, Rgb(200, 100, 50));
    QTest::qWait(250); // several ticks
    QCOMPARE(platform().pixelReads + platform().blockReads, reads);
    QCOMPARE(window().colour(), Rgb(12, 34, 56));
    QCOMPARE(label->text(), QStringLiteral("x:30\ny:40"));
    QCOMPARE(magnifier()->image(), shown);
    QVERIFY(window().isPicking());

    // The ticks were running all along: with the pointer back, the pick goes on.
    platform().pointer = QPoint(30, 40);
    QTRY_COMPARE(window().colour(), Rgb(200, 100, 50));
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
