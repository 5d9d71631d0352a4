// A pick in a Wayland session, in one run of a headless sway session:
//  - from Alt+P on Tintor's window to the frozen screenshot mapped over the screen, beside
//    the time the portal itself takes for a screenshot (asked directly, turn about), as
//    medians of measured runs, and their ratio;
//  - a tick's sampling over the frozen picture beside the same over the X screen.
//
//   tests/wayland/with-sway.sh build/bench/bench_waylandpick
//   tests/wayland/with-sway.sh --outputs 2 --scale 2 build/bench/bench_waylandpick

#include "ImageScreenReader.h"
#include "ScreenSampler.h"
#include "ScreenshotPortal.h"
#include "SwayTintor.h"
#include "X11Platform.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <X11/keysym.h>

#include <algorithm>

namespace {

constexpr int Runs = 15;

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values[values.size() / 2];
}

} // namespace

class WaylandPickBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pickAgainstPortal_data();
    void pickAgainstPortal();
    void tick_data();
    void tick();

private:
    std::optional<double> timePick(SwayTintor& tintor, bool byKey);
    std::optional<double> timePortal();

    std::unique_ptr<X11Platform> m_platform;
    std::unique_ptr<VirtualPointer> m_pointer;
    ScreenshotPortal m_portal;
    QImage m_screenshot;
};

void WaylandPickBench::initTestCase() {
    auto opened = X11Platform::open();
    QVERIFY2(opened, opened ? "" : opened.error().toLocal8Bit().constData());
    m_platform = std::move(*opened);
    if (qEnvironmentVariableIsEmpty("TINTOR_VIRTUAL_POINTER")) {
        qputenv("TINTOR_VIRTUAL_POINTER", VIRTUAL_POINTER);
    }
    m_pointer = std::make_unique<VirtualPointer>();
    QVERIFY(m_pointer->started());
}

// Milliseconds from the P of Alt+P, or from the click on the Pick button, to the frozen
// picture mapped on every screen; the pick is then ended with Escape.
std::optional<double> WaylandPickBench::timePick(SwayTintor& tintor, bool byKey) {
    XSession& x = tintor.x();
    const int screens = static_cast<int>(QGuiApplication::screens().size());
    QElapsedTimer clock;
    if (byKey) {
        x.focus(tintor.main());
        x.pressKey(XK_Alt_L);
        clock.start();
        x.pressKey(XK_p);
        x.releaseKey(XK_p);
        x.releaseKey(XK_Alt_L);
    } else {
        if (!tintor.movePointer(*m_pointer,
                                tintor.mainRect().topLeft() + MainWindowAt::PickButton)) {
            return std::nullopt;
        }
        clock.start();
        m_pointer->click(Qt::LeftButton);
    }
    while (tintor.shown(Title::FrozenScreen) < screens) {
        if (clock.elapsed() > 15000) {
            return std::nullopt;
        }
        QThread::usleep(500); // a poll every half millisecond leaves the two servers room
    }
    const double elapsed = clock.nsecsElapsed() / 1e6;
    tintor.pressEscape();
    if (!QTest::qWaitFor([&] { return tintor.shown(Title::FrozenScreen) == 0; }, 5000)) {
        return std::nullopt;
    }
    return elapsed;
}

// Milliseconds from asking the portal for a screenshot to holding the picture.
std::optional<double> WaylandPickBench::timePortal() {
    QSignalSpy images(&m_portal, &ScreenshotPortal::imageReady);
    QElapsedTimer clock;
    clock.start();
    m_portal.request();
    if (!images.wait(15000)) {
        return std::nullopt;
    }
    const double elapsed = clock.nsecsElapsed() / 1e6;
    m_screenshot = images.first().first().value<QImage>();
    return elapsed;
}

void WaylandPickBench::pickAgainstPortal_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Alt+P") << true;
    QTest::newRow("click on Pick") << false;
}

void WaylandPickBench::pickAgainstPortal() {
    QFETCH(bool, byKey);
    SwayTintor tintor;
    QVERIFY(tintor.started());
    QList<double> picks, portal;
    // Turn about, so that a slower or faster stretch of the machine weighs on both alike.
    for (int run = 0; run < Runs; ++run) {
        const std::optional<double> pick = timePick(tintor, byKey);
        QVERIFY2(pick, "the frozen picture did not come and go");
        const std::optional<double> shot = timePortal();
        QVERIFY2(shot, "the portal gave no screenshot");
        picks << *pick;
        portal << *shot;
    }
    qInfo("%s to frozen picture shown: median %.1f ms (min %.1f, max %.1f)",
          QTest::currentDataTag(), median(picks), *std::min_element(picks.begin(), picks.end()),
          *std::max_element(picks.begin(), picks.end()));
    qInfo("portal screenshot alone:       median %.1f ms (min %.1f, max %.1f)", median(portal),
          *std::min_element(portal.begin(), portal.end()),
          *std::max_element(portal.begin(), portal.end()));
    qInfo("ratio pick / portal: %.2f", median(picks) / median(portal));
}

void WaylandPickBench::tick_data() {
    QTest::addColumn<bool>("frozen");
    QTest::addColumn<int>("method");
    for (int method = 0; method <= 3; ++method) {
        QTest::addRow("frozen picture, method %d", method) << true << method;
        QTest::addRow("X screen, method %d", method) << false << method;
    }
}

// A tick's sampling: the read of the pixel or block, its mean and the magnifier's copy.
void WaylandPickBench::tick() {
    QFETCH(bool, frozen);
    QFETCH(int, method);
    if (frozen && m_screenshot.isNull()) {
        QVERIFY(timePortal());
    }
    ScreenSampler sampler(frozen ? std::make_unique<ImageScreenReader>(m_screenshot)
                                 : m_platform->screenReader());
    sampler.setMethod(static_cast<SamplingMethod>(method));
    QBENCHMARK {
        sampler.sample(QPoint(100, 100));
        QVERIFY(!sampler.image().isNull());
    }
}

int main(int argc, char* argv[]) {
    // Tintor's own way in a Wayland session: through Xwayland.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    WaylandPickBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_waylandpick.moc"
