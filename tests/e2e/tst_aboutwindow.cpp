// The About window in the built program on a real X server: the pointer held inside its
// main and author views, set free by OK and by a link, and links handed to a stand-in
// xdg-open that the test puts first on PATH.

#include <QFile>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include "TintorRun.h"

#include <X11/keysym.h>

class AboutWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pointerHeldThroughBothViews();
    void linksFreePointerAndFailuresAreShown();
    void scaledWindowHoldsItsDevicePixels();

private:
    // Opens the About window and returns where its client area lies on the root.
    QRect openAbout(TintorRun& tintor);
    void setLauncherStatus(int status);
    QStringList launched();

    XSession m_x;
    QTemporaryDir m_bin;
    Window m_about = 0;
};

void AboutWindowTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    // The stand-in launcher logs its arguments and exits with the status the test sets.
    // It also logs the toolkit platform it inherits: Tintor's own choice must not reach
    // the programs it starts.
    QVERIFY(TintorRun::writeLauncher(
        m_bin.path(), "#!/bin/sh\ndir=$(dirname \"$0\")\n"
                      "printf '%s|%s|%s\\n' \"$#\" \"$1\" \"${QT_QPA_PLATFORM-unset}\" >> "
                      "\"$dir/log\"\nexit \"$(cat \"$dir/status\")\"\n"));
    setLauncherStatus(0);
}

void AboutWindowTest::setLauncherStatus(int status) {
    QFile file(m_bin.filePath(QStringLiteral("status")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::number(status));
}

QStringList AboutWindowTest::launched() {
    QFile file(m_bin.filePath(QStringLiteral("log")));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QRect AboutWindowTest::openAbout(TintorRun& tintor) {
    m_about = tintor.openAbout().value_or(0);
    return m_about == 0 ? QRect() : m_x.clientRect(m_about);
}

void AboutWindowTest::pointerHeldThroughBothViews() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")}, m_bin.path());
    QVERIFY(tintor.main() != 0);
    const QRect about = openAbout(tintor);
    // Centred over the main window, which it covers.
    const QPoint main = m_x.rootPosition(tintor.main());
    QCOMPARE(about, QRect(main + QPoint((264 - 368) / 2, (168 - 257) / 2), QSize(368, 257)));

    // Main view: no way out, corners included.
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), about.left());
    QCOMPARE(m_x.movePointerBy(3000, 3000), about.bottomRight());

    // Author view: still held; its OK button closes the window and frees the pointer.
    tintor.clickIn(m_about, AboutWindowAt::AuthorButton);
    QTRY_COMPARE(m_x.title(m_about), Title::Author);
    QCOMPARE(m_x.movePointerBy(-2000, -2000), about.topLeft());
    tintor.clickIn(m_about, AboutWindowAt::AuthorOkButton);
    QTRY_VERIFY(!m_x.viewable(m_about));
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), 0);

    // Shown again: the main view, held again.
    QCOMPARE(openAbout(tintor), about);
    QCOMPARE(m_x.title(m_about), Title::About);
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), about.left());
    // Asked for while another window covers it: brought back on top.
    QImage covering(40, 40, QImage::Format_RGB32);
    covering.fill(qRgb(1, 200, 3));
    const Window other = m_x.showImage(about.x() + 150, about.y() + 100, covering);
    QCOMPARE(m_x.pixel(other, 20, 20), Rgb(1, 200, 3));
    m_x.focus(tintor.main());
    m_x.tapKey(XK_F1);
    QTRY_VERIFY(readsOtherThan(m_x.pixel(other, 20, 20), Rgb(1, 200, 3)));
    m_x.destroyWindow(other);
    QCOMPARE(tintor.close(), 0);
}

void AboutWindowTest::linksFreePointerAndFailuresAreShown() {
    TintorRun tintor(m_x, {QStringLiteral("LANG=en_GB.UTF-8")}, m_bin.path());
    QVERIFY(tintor.main() != 0);
    const QRect about = openAbout(tintor);
    QVERIFY(!about.isEmpty());
    // A link that opens frees the pointer, and the window's own redrawing after the click
    // does not take it back.
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), about.left());
    tintor.clickIn(m_about, AboutWindowAt::HomeButton);
    QTRY_COMPARE(launched(),
                 QStringList{"1|https://korvan.example.org/en/downloads.html#Tintor|unset"});
    QThread::msleep(300);
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), 0);
    QVERIFY(m_x.viewable(m_about));
    QVERIFY(!tintor.waitForTitle(Title::Message, 200));

    // A link that fails: its text shows for three seconds, sized to one line, with the
    // pointer free; the About window stays open and holds the pointer again once it is
    // uncovered.
    setLauncherStatus(4);
    tintor.clickIn(m_about, AboutWindowAt::MailButton);
    const auto message = tintor.waitForTitle(Title::Message);
    QVERIFY(message);
    QCOMPARE(m_x.clientSize(*message), QSize(350, 78));
    QCOMPARE(launched().size(), 2);
    QVERIFY(launched().at(1).startsWith("1|mailto:korvan@example.org?Subject=Programma Tintor"));
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.viewable(*message), 6000);
    QVERIFY(m_x.viewable(m_about));
    QTRY_VERIFY(about.contains(m_x.pointer()));

    // OK frees it for good.
    tintor.clickIn(m_about, AboutWindowAt::OkButton);
    QTRY_VERIFY(!m_x.viewable(m_about));
    QCOMPARE(m_x.movePointerBy(-2000, 0).x(), 0);
    QCOMPARE(tintor.close(), 0);
}

void AboutWindowTest::scaledWindowHoldsItsDevicePixels() {
    TintorRun tintor(m_x, {QStringLiteral("QT_SCALE_FACTOR=2")}, m_bin.path());
    QVERIFY(tintor.main() != 0);
    const QRect about = openAbout(tintor);
    QCOMPARE(about.size(), QSize(736, 514));
    QCOMPARE(m_x.movePointerBy(3000, 3000), about.bottomRight());
    QCOMPARE(m_x.movePointerBy(-3000, -3000), about.topLeft());
    tintor.clickIn(m_about, AboutWindowAt::OkButton);
    QTRY_VERIFY(!m_x.viewable(m_about));
    QCOMPARE(tintor.close(), 0);
}

QTEST_GUILESS_MAIN(AboutWindowTest)
#include "tst_aboutwindow.moc"
