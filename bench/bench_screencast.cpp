// The follower over the desktop's screen cast, in the headless sway session with the fake
// portal and the tests' PipeWire producer:
//
//   export TINTOR_FAKE_PORTAL=$PWD/build/tests/portal/fake_portal TINTOR_EXE=$PWD/build/src/tintor
//   export QT_QPA_PLATFORM=xcb WITH_SWAY_PATHS="TINTOR_FAKE_PORTAL TINTOR_EXE"
//   XVFB_SCREEN=1280x800x24 tests/wayland/with-sway.sh --no-portal $PWD/tests/with-xvfb.sh
//   build/bench/bench_screencast
//
//   (TINTOR_EXE, TINTOR_FAKE_PORTAL and the rest as the Wayland tests have them)
//
// tick: one follower tick on a 7x7 block, over the cast and, in the same run, through X11
// (on Xvfb, whose screen matches the session's output: Xwayland's root cannot be read);
// cpu: Tintor's share of a core while it follows and the screen changes 30 times a second;
// latency: from the producer's new pointer place to the reader having it.

#include "CastProducer.h"
#include "FakePortalProcess.h"
#include "PortalScreenCast.h"
#include "ScreenSampler.h"
#include "SwayDesktop.h"
#include "SwayTintor.h"
#include "X11Platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <unistd.h>

#include <algorithm>

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

namespace {

// Processor time in clock ticks of a process, or of its threads named `thread`.
qint64 ticksOf(qint64 pid, const QByteArray& thread = {}) {
    qint64 ticks = 0;
    const QString process = QStringLiteral("/proc/%1").arg(pid);
    const QStringList tasks =
        thread.isEmpty() ? QStringList{process} : QDir(process + "/task").entryList(QDir::Dirs);
    for (const QString& task : tasks) {
        const QString dir = thread.isEmpty() ? task : process + "/task/" + task;
        QFile name(dir + "/comm");
        QFile stat(dir + "/stat");
        if ((!thread.isEmpty() &&
             (!name.open(QIODevice::ReadOnly) || name.readAll().trimmed() != thread)) ||
            !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        const QList<QByteArray> fields = stat.readAll().split(')').value(1).split(' ');
        ticks += fields.value(12).toLongLong() + fields.value(13).toLongLong(); // utime, stime
    }
    return ticks;
}

} // namespace

// Tintor itself, following everywhere while the screen changes 30 times a second: the whole
// process, and its PipeWire thread, which copies the frames.
void ScreenCastBench::cpu() {
    SwayTintor tintor(QByteArray("{\"FollowEverywhere\": true}\n"));
    QVERIFY(tintor.started());
    QTRY_VERIFY_WITH_TIMEOUT(tintor.settings().contains("ScreenCastToken"), 10000);
    m_producer->setRate(30);
    QTest::qWait(500);
    const qint64 pid = tintor.process().processId();
    const qint64 before = ticksOf(pid);
    const qint64 readerBefore = ticksOf(pid, "tintor-cast");
    QElapsedTimer wall;
    wall.start();
    QTest::qWait(10000);
    const double seconds = double(wall.elapsed()) / 1000 * double(sysconf(_SC_CLK_TCK)) / 100;
    qInfo("Tintor following at 30 frames a second of %dx%d: %.2f%% of a core, its PipeWire "
          "thread %.2f%%",
          m_size.width(), m_size.height(), double(ticksOf(pid) - before) / seconds,
          double(ticksOf(pid, "tintor-cast") - readerBefore) / seconds);
    m_producer->setRate(5);
}

// The reader itself: no event loop runs while it is waited for.
void ScreenCastBench::latency() {
    QList<qint64> delays;
    for (int i = 1; i <= 40; ++i) {
        const QPoint at(100 + i * 7, 200 + i * 3);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(m_producer->cursor(0, at));
        const auto arrived = [&] {
            const auto pointer = m_cast->pointer();
            return pointer && pointer->frame.x() == at.x();
        };
        while (!arrived() && timer.elapsed() < 1000) {
            QThread::usleep(100);
        }
        QVERIFY(arrived());
        delays << timer.nsecsElapsed() / 1000;
    }
    std::sort(delays.begin(), delays.end());
    qInfo("new pointer place to the reader: median %lld us, max %lld us", delays[delays.size() / 2],
          delays.back());
}

QTEST_MAIN(ScreenCastBench)
#include "bench_screencast.moc"
