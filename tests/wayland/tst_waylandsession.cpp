// The headless sway session that the Wayland tests run in: native surfaces show exactly the
// colours they are given, grim and the desktop portal read them back alike, and the
// virtual pointer moves and clicks for X clients.  Run through with-sway.sh.
#include "ScreenshotPortal.h"
#include "SwayDesktop.h"

#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QRasterWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Output = SwayOutput;
using SwayDesktop::grim;
using SwayDesktop::outputs;
using SwayDesktop::run;

// Two halves of the output's colours and a 7x7 block of distinct pixels in the first.
QImage pattern(QSize size, Rgb left, Rgb right) {
    QImage image = halves(size, left, right);
    for (int dy = 0; dy < 7; ++dy) {
        for (int dx = 0; dx < 7; ++dx) {
            image.setPixel(size.width() / 4 + dx, size.height() / 2 + dy,
                           qRgb(dx * 40, dy * 40, 100));
        }
    }
    return image;
}

class PointerWindow : public QRasterWindow {
public:
    QList<Qt::MouseButton> presses;

protected:
    void paintEvent(QPaintEvent*) override {}
    void mousePressEvent(QMouseEvent* event) override { presses.append(event->button()); }
};

} // namespace

class tst_WaylandSession : public QObject {
    Q_OBJECT

private slots:
    void nativeSurfaceShowsExactColours();
    void portalScreenshotMatchesGrim();
    void virtualPointerMovesAndClicksForXClients();

private:
    QTemporaryDir m_dir;
};

void tst_WaylandSession::nativeSurfaceShowsExactColours() {
    const QList<Output> list = outputs();
    QVERIFY(!list.isEmpty());
    const Rgb colours[][2] = {{Rgb(255, 0, 0), Rgb(0, 0, 255)}, {Rgb(0, 255, 0), Rgb(255, 255, 0)}};
    for (int i = 0; i < list.size(); ++i) {
        const Output& output = list[i];
        const QImage expected = pattern(output.pixels(), colours[i % 2][0], colours[i % 2][1]);
        const QString file = m_dir.filePath(output.name + ".png");
        QVERIFY(expected.save(file));
        QVERIFY(!run("swaymsg", {"output", output.name, "bg", file, "fill"}).isNull());
        QTRY_COMPARE_WITH_TIMEOUT(grim({"-o", output.name}), expected, 10000);
    }
}

void tst_WaylandSession::portalScreenshotMatchesGrim() {
    QVERIFY2(SwayDesktop::clearPortalFile(), "cannot remove an earlier /tmp/out.png");
    const QImage screen = grim({});
    QVERIFY(!screen.isNull());
    ScreenshotPortal portal;
    QSignalSpy images(&portal, &ScreenshotPortal::imageReady);
    QSignalSpy failures(&portal, &ScreenshotPortal::failed);
    portal.request();
    QTRY_COMPARE_WITH_TIMEOUT(images.count() + failures.count(), 1, 15000);
    QVERIFY(failures.isEmpty()); // the reason is in the log
    QCOMPARE(images.first().first().value<QImage>().convertToFormat(QImage::Format_RGB32), screen);
    // The client removes the portal's file.
    QVERIFY(!QFile::exists(SwayDesktop::PortalFile));
}

void tst_WaylandSession::virtualPointerMovesAndClicksForXClients() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    // X learns where the pointer is only over X windows: one on each output, placed by
    // the program itself (no window manager), as a full-screen overlay would be.
    std::vector<std::unique_ptr<PointerWindow>> windows;
    QList<QPoint> places;
    for (const Output& output : outputs()) {
        auto& window = windows.emplace_back(std::make_unique<PointerWindow>());
        window->setFlags(Qt::BypassWindowManagerHint | Qt::FramelessWindowHint);
        window->setGeometry(output.logical);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        places << output.logical.center();
    }
    places << QPoint(7, 3) << QPoint(100, 200); // the clicks go to the first window

    VirtualPointer pointer;
    QVERIFY(pointer.started());
    for (const QPoint at : std::as_const(places)) {
        QVERIFY(pointer.moveUntil(at, [at] { return QCursor::pos() == at; }));
    }
    QVERIFY(pointer.click(Qt::LeftButton));
    QVERIFY(pointer.click(Qt::RightButton));
    QTRY_COMPARE(windows.front()->presses,
                 (QList<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton}));
}

QTEST_MAIN(tst_WaylandSession)
#include "tst_waylandsession.moc"
