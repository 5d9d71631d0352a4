// The follower over the desktop's screen cast, in the headless sway session with the fake
// portal and the tests' PipeWire producer:
//
//   export TINTOR_FAKE_PORTAL=$PWD/build/tests/wayland/fake_portal
//   export QT_QPA_PLATFORM=xcb WITH_SWAY_PATHS=TINTOR_FAKE_PORTAL XVFB_SCREEN=1280x800x24
//   tests/wayland/with-sway.sh --no-portal $PWD/tests/with-xvfb.sh build/bench/bench_screencast
//
// tick: one follower tick on a 7x7 block, over the cast and, in the same run, through X11
// (on Xvfb, whose screen matches the session's output: Xwayland's root cannot be read); cpu: the
// reader's share of a core while the screen changes 30 times a second; latency: from the producer's
// new pointer place to the reader having it.

#include "CastProducer.h"
#include "FakePortalProcess.h"
#include "PortalScreenCast.h"
#include "ScreenSampler.h"
#include "SwayDesktop.h"
#include "X11Platform.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

class ScreenCastBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void tick_data();
    void tick();
    void cpu();
    void latency();

private:
    std::unique_ptr<CastProducer> m_producer;
    std::unique_ptr<FakePortalProcess> m_portal;
    std::unique_ptr<PortalScreenCast> m_cast;
    std::unique_ptr<X11Platform> m_x11;
    QSize m_size;
};

void ScreenCastBench::initTestCase() {
    const SwayOutput output = SwayDesktop::outputs().value(0);
    m_size = output.pixels();
    m_producer = std::make_unique<CastProducer>(QList<QSize>{m_size});
    QImage picture(m_size, QImage::Format_RGB32);
    picture.fill(qRgb(12, 34, 56));
    QVERIFY(m_producer->isReady() && m_producer->show(0, picture));
    m_portal = std::make_unique<FakePortalProcess>(
        QStringList{"--cast-streams", m_producer->streams({output.logical})});
    m_cast = std::make_unique<PortalScreenCast>();
    QSignalSpy known(m_cast.get(), &ScreenCast::offerKnown);
    QVERIFY(known.wait(5000));
    QSignalSpy opened(m_cast.get(), &ScreenCast::opened);
    m_cast->open({});
    QVERIFY(opened.wait(5000));
    QVERIFY(m_producer->cursor(0, {100, 100}));
    QTRY_VERIFY(m_cast->pointer());
    auto x11 = X11Platform::open();
    QVERIFY(x11);
    m_x11 = std::move(*x11);
}

void ScreenCastBench::tick_data() {
    QTest::addColumn<bool>("cast");
    QTest::newRow("x11") << false;
    QTest::newRow("cast") << true;
}

// What the follower does every 50 ms outside a pick: where the pointer is, then the block.
void ScreenCastBench::tick() {
    QFETCH(bool, cast);
    ScreenSampler sampler(cast ? m_cast->screenReader() : m_x11->screenReader());
    sampler.setMethod(SamplingMethod::Mean7x7);
    QBENCHMARK {
        if (cast) {
            sampler.sampleAt(m_cast->pointer().value().frame);
        } else {
            sampler.sampleAt(m_x11->pointerPosition().value_or(QPoint(100, 100)));
        }
    }
}

void ScreenCastBench::cpu() {
    m_producer->setRate(30);
    QTest::qWait(500);
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(10000);
    const double share = (cpuSeconds() - before) / (double(wall.elapsed()) / 1000);
    m_producer->setRate(5);
    qInfo("reader at 30 frames a second of %dx%d: %.2f%% of a core", m_size.width(),
          m_size.height(), share * 100);
}

void ScreenCastBench::latency() {
    QList<qint64> delays;
    for (int i = 1; i <= 40; ++i) {
        const QPoint at(100 + i * 7, 200 + i * 3);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(m_producer->cursor(0, at));
        QTRY_VERIFY_WITH_TIMEOUT(m_cast->pointer() && m_cast->pointer()->frame.x() == at.x(), 1000);
        delays << timer.nsecsElapsed() / 1000;
    }
    std::sort(delays.begin(), delays.end());
    qInfo("new pointer place to the reader: median %lld us, max %lld us", delays[delays.size() / 2],
          delays.back());
}

QTEST_MAIN(ScreenCastBench)
#include "bench_screencast.moc"
