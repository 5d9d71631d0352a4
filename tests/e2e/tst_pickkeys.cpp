// Pick mode from the keyboard, under a window manager: Escape ends a pick and gives back
// the colour the sliders had; the arrow keys move the real pointer onto a one-pixel line and
// Return or Space take its colour, pressing no focused button; opening the Options dialog
// during a pick leaves neither the mouse nor the dialog stuck.

#include <QImage>
#include <QTest>
#include <QThread>

#include "ClickRecorder.h"
#include "TintorRun.h"
#include "WindowManager.h"

#include <X11/keysym.h>

namespace {

constexpr unsigned long OtherRgb = 0x28B45A;
const Rgb OtherColour = Rgb(0x28, 0xB4, 0x5A);

} // namespace

class PickKeysTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void escapeEndsPickAndRestoresColour();
    void arrowsHitOnePixelLineAndKeysTakeIt_data();
    void arrowsHitOnePixelLineAndKeysTakeIt();
    void optionsDuringPickLeaveNothingStuck();

private:
    XSession m_x;
    WindowManager m_wm{m_x};
};

void PickKeysTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
}

void PickKeysTest::escapeEndsPickAndRestoresColour() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    ClickRecorder other(QStringLiteral("Other program"), {40, 40, 200, 150}, OtherRgb);
    QVERIFY(other.shown());
    // As a user would: the other program comes up with the focus, then Tintor gets it back.
    QTRY_VERIFY(m_wm.isActive(other.window()));
    m_wm.activate(tintor.main());
    QTRY_VERIFY(m_wm.isActive(tintor.main()));
    m_x.tapKey(XK_Page_Up, 8); // the red slider has the focus: 128
    QTRY_COMPARE(tintor.swatch(), Rgb(128, 0, 0));

    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);
    const QPoint inOther = m_x.rootPosition(other.window()) + QPoint(100, 75);
    m_x.movePointer(inOther.x(), inOther.y());
    QTRY_COMPARE(tintor.swatch(), OtherColour);

    m_x.tapKey(XK_Escape);
    QTRY_COMPARE(tintor.title(), Title::Main);
    QTRY_COMPARE(tintor.swatch(), Rgb(128, 0, 0));
    QThread::msleep(300); // six ticks: none may sample now
    QCOMPARE(tintor.swatch(), Rgb(128, 0, 0));
    // The capture went with the mode: the next click is the other program's.
    m_x.clickAt(inOther.x(), inOther.y());
    QTRY_COMPARE(other.pressCount(), 1);
    QCOMPARE(tintor.close(), 0);
}

void PickKeysTest::arrowsHitOnePixelLineAndKeysTakeIt_data() {
    QTest::addColumn<bool>("byClick");
    QTest::addColumn<int>("endKey");
    QTest::newRow("clicked, Return") << true << XK_Return;
    QTest::newRow("Alt+P, Space on the focused Options button") << false << XK_space;
}

void PickKeysTest::arrowsHitOnePixelLineAndKeysTakeIt() {
    QFETCH(bool, byClick);
    QFETCH(int, endKey);
    QImage pattern(40, 40, QImage::Format_RGB32);
    pattern.fill(qRgb(128, 128, 128));
    for (int y = 0; y < pattern.height(); ++y) {
        pattern.setPixel(25, y, qRgb(220, 20, 20)); // the line, one pixel wide
    }
    const QPoint at(40, 40);
    const Window shown = m_x.showImage(at.x(), at.y(), pattern);
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    if (byClick) {
        tintor.click(MainWindowAt::PickButton);
    } else {
        // A press on the Options button released elsewhere focuses it without a click.
        const QPoint origin = m_x.rootPosition(tintor.main());
        const QPoint options = origin + MainWindowAt::OptionsButton;
        // As a user would, the pointer leaves once the button shows it is down, and Alt+P
        // follows once the window shows as active: the window manager holds a press until it
        // has raised the window, and keys sent meanwhile overtake it.
        const QPoint face = MainWindowAt::OptionsButton + QPoint(-30, -9);
        QTRY_VERIFY(readsOtherThan(m_x.pixel(tintor.main(), face.x(), face.y()), Rgb())); // painted
        const std::optional<Rgb> raised = m_x.pixel(tintor.main(), face.x(), face.y());
        QVERIFY(raised.has_value());
        m_x.movePointer(options.x(), options.y());
        m_x.pressButton(1);
        QTRY_VERIFY(readsOtherThan(m_x.pixel(tintor.main(), face.x(), face.y()), *raised));
        m_x.movePointer(origin.x() + 130, origin.y() + 60);
        m_x.releaseButton(1);
        QTRY_VERIFY(m_wm.isActive(tintor.main()));
        m_x.chord(XK_Alt_L, XK_p);
    }
    QTRY_COMPARE(tintor.title(), Title::Picking);
    m_x.movePointer(at.x() + 10, at.y() + 20);

    m_x.chord(XK_Shift_L, XK_Right);
    m_x.tapKey(XK_Right, 5);
    QTRY_COMPARE(m_x.pointer(), at + QPoint(25, 20));
    m_x.tapKey(endKey);
    QTRY_COMPARE(tintor.title(), Title::Main);
    QCOMPARE(tintor.swatch(), Rgb(220, 20, 20));
    QVERIFY(!tintor.waitForTitle(Title::Options, 200));
    QCOMPARE(tintor.close(), 0);
    m_x.destroyWindow(shown);
}

void PickKeysTest::optionsDuringPickLeaveNothingStuck() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    ClickRecorder other(QStringLiteral("Other program"), {40, 40, 200, 150}, OtherRgb);
    QVERIFY(other.shown());
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);
    const QPoint inOther = m_x.rootPosition(other.window()) + QPoint(100, 75);
    m_x.movePointer(inOther.x(), inOther.y());
    QTRY_COMPARE(tintor.swatch(), OtherColour);

    m_x.chord(XK_Alt_L, XK_o);
    const std::optional<Window> dialog = tintor.waitForTitle(Title::Options);
    QVERIFY(dialog.has_value());
    // The pick ended before the dialog opened, keeping its colour, and let the mouse go.
    QTRY_COMPARE(tintor.title(), Title::Main);
    m_x.clickAt(inOther.x(), inOther.y());
    QTRY_COMPARE(other.pressCount(), 1);
    QCOMPARE(tintor.swatch(), OtherColour);
    // The dialog takes clicks: Cancel closes it.
    tintor.clickIn(*dialog, OptionsDialogAt::CancelButton);
    QTRY_VERIFY(!m_x.viewable(*dialog));
    QCOMPARE(tintor.swatch(), OtherColour);
    QCOMPARE(tintor.close(), 0);
}

QTEST_GUILESS_MAIN(PickKeysTest)
#include "tst_pickkeys.moc"
