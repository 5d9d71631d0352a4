// The built program under a window manager (openbox): staying on top of an active window,
// the title-bar actions each window asks for and gets, the About window's pointer hold
// following a moved window and lifted while another program is active, and a pick that
// starts while another program is active.

#include <QTest>
#include <QThread>

#include <algorithm>

#include "ClickRecorder.h"
#include "TintorRun.h"
#include "WindowManager.h"

#include <X11/keysym.h>

namespace {

constexpr unsigned long RecorderRgb = 0xC83C1E;
const Rgb RecorderColour = Rgb(0xC8, 0x3C, 0x1E);

} // namespace

class WindowManagerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mainWindowStaysAboveActiveWindow();
    void titleBarActions_data();
    void titleBarActions();
    void aboutWindowHoldsPointerMovedAndOnlyWhileActive_data();
    void aboutWindowHoldsPointerMovedAndOnlyWhileActive();
    void pickFromAnotherActiveProgramEndsWithFirstClick();
    void onlyMovedMainWindowMinimises_data();
    void onlyMovedMainWindowMinimises();
    void pasteWaitsOnceAndLeavesKeyboard_data();
    void pasteWaitsOnceAndLeavesKeyboard();

private:
    // Opens the window `which` names ("main", "options" or "about") and returns it.
    Window openWindow(TintorRun& tintor, const QString& which);

    XSession m_x;
    WindowManager m_wm{m_x};
};

void WindowManagerTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    QVERIFY2(m_wm.running(), "needs a window manager on the X server");
}

Window WindowManagerTest::openWindow(TintorRun& tintor, const QString& which) {
    if (which == QLatin1String("options")) {
        return tintor.open(MainWindowAt::OptionsButton, Title::Options).value_or(0);
    }
    return which == QLatin1String("about") ? tintor.openAbout().value_or(0) : tintor.main();
}

void WindowManagerTest::mainWindowStaysAboveActiveWindow() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    const QRect main = m_wm.frameRect(tintor.main());
    // Another program opens right over Tintor and becomes the active window.
    ClickRecorder other(QStringLiteral("Other program"), main.adjusted(-40, -40, 40, 40),
                        RecorderRgb);
    QVERIFY(other.shown());
    m_wm.activate(other.window());
    QTRY_COMPARE(m_wm.activeWindow(), other.window());
    QThread::msleep(200);
    const std::vector<Window> order = m_wm.stacking();
    const auto rank = [&order](Window w) { return std::find(order.begin(), order.end(), w); };
    QVERIFY(rank(tintor.main()) != order.end() && rank(other.window()) != order.end());
    QVERIFY2(rank(tintor.main()) > rank(other.window()), "the main window is below the active one");
    // What the user sees and clicks at the overlap is Tintor.
    QVERIFY(readsOtherThan(tintor.swatch(), RecorderColour));
    const QPoint inMain = m_x.rootPosition(tintor.main()) + QPoint(5, 70);
    m_x.clickAt(inMain.x(), inMain.y());
    QThread::msleep(200);
    QCOMPARE(other.pressCount(), 0);
    QCOMPARE(tintor.close(), 0);
}

void WindowManagerTest::titleBarActions_data() {
    QTest::addColumn<QString>("which");
    QTest::addColumn<unsigned long>("functions");   // exactly these Motif functions
    QTest::addColumn<unsigned long>("decorations"); // these Motif decorations, no others
    QTest::addColumn<QStringList>("granted");       // actions the window manager must allow
    using M = MotifHints;
    // The main window: system menu and minimise, neither resizable nor maximisable.
    QTest::newRow("main") << QStringLiteral("main")
                          << (M::FunctionMove | M::FunctionMinimize | M::FunctionClose)
                          << (M::DecorBorder | M::DecorTitle | M::DecorMenu | M::DecorMinimize)
                          << QStringList{"MOVE", "MINIMIZE", "CLOSE"};
    // The dialogs: a title bar without any buttons.
    QTest::newRow("options") << QStringLiteral("options") << M::FunctionMove
                             << (M::DecorBorder | M::DecorTitle) << QStringList{"MOVE"};
    QTest::newRow("about") << QStringLiteral("about") << M::FunctionMove
                           << (M::DecorBorder | M::DecorTitle) << QStringList{"MOVE"};
}

void WindowManagerTest::titleBarActions() {
    QFETCH(QString, which);
    QFETCH(unsigned long, functions);
    QFETCH(unsigned long, decorations);
    QFETCH(QStringList, granted);
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    const Window window = openWindow(tintor, which);
    QVERIFY(window != 0);
    QThread::msleep(200);

    // What the program asks of any window manager.
    const std::optional<MotifHints> hints = m_wm.motifHints(window);
    QVERIFY2(hints.has_value(), "no _MOTIF_WM_HINTS");
    QCOMPARE(hints->flags & (MotifHints::Functions | MotifHints::Decorations),
             MotifHints::Functions | MotifHints::Decorations);
    QCOMPARE(hints->functions, functions);
    QCOMPARE(hints->decorations, decorations);

    // What this window manager makes of it: a title bar, and no resizing or maximising.
    const QStringList allowed = m_wm.allowedActions(window);
    for (const QString& action : granted) {
        QVERIFY2(allowed.contains(action), qPrintable(action + " missing: " + allowed.join(' ')));
    }
    for (const char* action : {"RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"}) {
        QVERIFY2(!allowed.contains(QLatin1String(action)), qPrintable(allowed.join(' ')));
    }
    const QMargins frame = m_wm.frameExtents(window);
    QVERIFY2(frame.top() > frame.bottom(), "no title bar");
}

void WindowManagerTest::aboutWindowHoldsPointerMovedAndOnlyWhileActive_data() {
    QTest::addColumn<bool>("authorView");
    QTest::newRow("main view") << false;
    QTest::newRow("author view") << true;
}

void WindowManagerTest::aboutWindowHoldsPointerMovedAndOnlyWhileActive() {
    QFETCH(bool, authorView);
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    const Window about = openWindow(tintor, QStringLiteral("about"));
    QVERIFY(about != 0);
    if (authorView) {
        tintor.clickIn(about, AboutWindowAt::AuthorButton);
        QTRY_COMPARE(m_x.title(about), Title::Author);
    }
    const QRect before = m_x.clientRect(about);
    const QPoint offset(-150, 120);
    const QPoint grip = before.topLeft() + QPoint(30, 30);
    m_wm.altDrag(grip, grip + offset);
    const QRect moved = before.translated(offset);
    QTRY_COMPARE(m_x.clientRect(about), moved);

    // Pushed hard in every direction, the pointer stops at the window's new edges.
    QTRY_COMPARE(m_x.movePointerBy(-3000, -3000), moved.topLeft());
    QTRY_COMPARE(m_x.movePointerBy(3000, 3000), moved.bottomRight());
    QTRY_COMPARE(m_x.movePointerBy(-3000, 0).x(), moved.left());

    // Another program made active has the mouse; back in About, the hold resumes.
    ClickRecorder other(QStringLiteral("Other program"), QRect(0, 0, 100, 100), RecorderRgb);
    QVERIFY(other.shown());
    m_wm.activate(other.window());
    QTRY_COMPARE(m_x.movePointerBy(-3000, 0).x(), 0);
    m_wm.activate(about);
    QTRY_COMPARE(m_x.movePointerBy(-3000, 0).x(), moved.left());

    // Its OK button, at the new place, is reachable and closes the window.
    tintor.clickIn(about, AboutWindowAt::OkButton);
    QTRY_VERIFY(!m_x.viewable(about));
    QCOMPARE(m_x.movePointerBy(-3000, 0).x(), 0);
    QCOMPARE(tintor.close(), 0);
}

void WindowManagerTest::pickFromAnotherActiveProgramEndsWithFirstClick() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    ClickRecorder other(QStringLiteral("Other program"), {40, 40, 200, 150}, RecorderRgb);
    QVERIFY(other.shown());
    m_wm.activate(other.window());
    QTRY_COMPARE(m_wm.activeWindow(), other.window());

    // The user, working in the other program, clicks Tintor's pick button.
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);
    const QPoint inOther = m_x.rootPosition(other.window()) + QPoint(100, 75);
    m_x.movePointer(inOther.x(), inOther.y());
    QTRY_COMPARE(tintor.swatch(), RecorderColour);
    m_x.clickAt(inOther.x(), inOther.y());
    QTRY_COMPARE(tintor.title(), Title::Main);
    QThread::msleep(200);
    QCOMPARE(other.pressCount(), 0); // the click was Tintor's
    QCOMPARE(tintor.swatch(), RecorderColour);
    m_x.clickAt(inOther.x(), inOther.y());
    QTRY_COMPARE(other.pressCount(), 1); // and the next one is the other program's again

    // A program that opens and takes the focus during a pick does not take the click either.
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), Title::Picking);
    ClickRecorder late(QStringLiteral("Late program"), {40, 300, 200, 150}, 0x1E3CC8);
    QVERIFY(late.shown());
    m_wm.activate(late.window());
    QTRY_COMPARE(m_wm.activeWindow(), late.window());
    const QPoint inLate = m_x.rootPosition(late.window()) + QPoint(100, 75);
    m_x.movePointer(inLate.x(), inLate.y());
    QTRY_COMPARE(tintor.swatch(), Rgb(0x1E, 0x3C, 0xC8));
    m_x.clickAt(inLate.x(), inLate.y());
    QTRY_COMPARE(tintor.title(), Title::Main);
    QTRY_COMPARE(m_wm.activeWindow(), tintor.main()); // Tintor is active again
    QThread::msleep(200);
    QCOMPARE(late.pressCount(), 0);
    QCOMPARE(tintor.close(), 0);
}

void WindowManagerTest::onlyMovedMainWindowMinimises_data() {
    QTest::addColumn<QString>("which");
    QTest::newRow("main") << QStringLiteral("main");
    QTest::newRow("options") << QStringLiteral("options");
    QTest::newRow("about") << QStringLiteral("about");
}

// Some window managers give every titled window a minimise button whatever it asks for; a
// minimised modal Options dialog would leave a main window that ignores every click.  The
// main window minimises, and comes back where it was moved: only its first showing centres.
void WindowManagerTest::onlyMovedMainWindowMinimises() {
    QFETCH(QString, which);
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    const Window window = openWindow(tintor, which);
    QVERIFY(window != 0);
    if (which == QLatin1String("main")) {
        QThread::msleep(300); // centred with its frame once mapped
        const QRect moved = m_x.clientRect(window).translated(-100, 80);
        const QPoint grip = moved.topLeft() + QPoint(130, -50);
        m_wm.altDrag(grip, grip + QPoint(-100, 80));
        QTRY_COMPARE(m_x.clientRect(window), moved);
        m_wm.minimise(window);
        QTRY_VERIFY(!m_x.viewable(window));
        QThread::msleep(300);
        QVERIFY(m_wm.state(window).contains(QStringLiteral("HIDDEN")));
        m_wm.activate(window);
        QTRY_VERIFY(m_x.viewable(window));
        QThread::msleep(300);
        QCOMPARE(m_x.clientRect(window), moved);
        QCOMPARE(tintor.close(), 0);
        return;
    }
    m_wm.minimise(window);
    // It goes, and comes straight back.
    QThread::msleep(300);
    QTRY_VERIFY_WITH_TIMEOUT(
        !m_wm.state(window).contains(QStringLiteral("HIDDEN")) && m_x.viewable(window), 5000);
    // And it still takes clicks.
    if (which == QLatin1String("options")) {
        tintor.clickIn(window, OptionsDialogAt::CancelButton);
    } else {
        tintor.clickIn(window, AboutWindowAt::OkButton);
    }
    QTRY_VERIFY(!m_x.viewable(window));
    QCOMPARE(tintor.close(), 0);
}

void WindowManagerTest::pasteWaitsOnceAndLeavesKeyboard_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("requests");
    QTest::newRow("an owner that never answers") << QByteArray("silent") << 1;
    QTest::newRow("an owner that gives only its targets") << QByteArray("targets") << 2;
    QTest::newRow("an increment that never comes") << QByteArray("incr") << 2;
    QTest::newRow("colour data, half transparent") << QByteArray("x-color") << 2;
}

// One bounded wait for the clipboard, then the message, which leaves the keyboard to the
// main window: a corrected paste goes on at once.
void WindowManagerTest::pasteWaitsOnceAndLeavesKeyboard() {
    QFETCH(QByteArray, answer);
    QFETCH(int, requests);
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")});
    QVERIFY(tintor.main() != 0);
    ClickRecorder owner(QStringLiteral("Other program"), {0, 0, 20, 20}, RecorderRgb);
    QVERIFY(owner.shown());
    m_wm.activate(tintor.main());
    QTRY_VERIFY(m_wm.isActive(tintor.main()));
    owner.ownClipboard(answer);
    m_x.chord(XK_Control_L, XK_v);
    QTRY_VERIFY_WITH_TIMEOUT(owner.clipboardRequests() > 0 &&
                                 tintor.waitForTitle(Title::Message, 100).has_value(),
                             10000);
    QCOMPARE(owner.clipboardRequests(), requests);
    QTRY_COMPARE(tintor.swatch(), answer == "x-color" ? Rgb(0xFF, 0x80, 0) : Rgb());
    owner.ownClipboard("#102030");
    m_x.chord(XK_Control_L, XK_v);
    QTRY_COMPARE((owner.clipboardRequests(), tintor.swatch()), Rgb(0x10, 0x20, 0x30));
    QCOMPARE(tintor.close(), 0);
}

QTEST_GUILESS_MAIN(WindowManagerTest)
#include "tst_windowmanager.moc"
