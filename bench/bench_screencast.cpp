// The follower over the desktop's screen cast, in the headless sway session with the fake
// portal and the tests' PipeWire producer:
//
//   export TINTOR_FAKE_PORTAL=$PWD/build/tests/portal/fake_portal TINTOR_EXE=$PWD/build/src/tintor
//   export QT_QPA_PLATFORM=xcb WITH_SWAY_PATHS="TINTOR_FAKE_PORTAL TINTOR_EXE"
//   XVFB_SCREEN=1280x800x24 tests/wayland/with-sway.sh --no-portal $PWD/tests/with-xvfb.sh
//   build/bench/bench_screencast
//
// Each row sets the session's outputs first (one 1280x800, one 3840x2160, two 3840x2160, or
// those given as arguments after --, such as `-- 2x3840x2160`), so one run compares them:
// tick: one follower tick on a 7x7 block, over the cast and through X11 (on Xvfb, whose
// screen is 1280x800: Xwayland's root cannot be read);
// cpu: Tintor's share of a core while it follows and the screen changes 30 times a second;
// latency: from the producer's new pointer place to the reader having it.

#include "CastProducer.h"
#include "FakePortalProcess.h"
#include "ScreenCastPipeWire.h"
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
    void tick_data() { outputRows(true); }
    void tick();
    void cpu_data() { outputRows(); }
    void cpu();
    void latency_data() { outputRows(); }
    void latency();

private:
    // One row for each layout of outputs; `x11` adds X11's tick beside the first.
    void outputRows(bool x11 = false);
    // The session's outputs as the row has them, the producer's streams of the same sizes
    // and the fake portal offering them, placed as GNOME places them.
    bool setOutputs(int count, QSize size);
    bool openCast();

    std::unique_ptr<CastProducer> m_producer;
    std::unique_ptr<FakePortalProcess> m_portal;
    std::unique_ptr<ScreenCastPipeWire> m_cast;
    std::unique_ptr<X11Platform> m_x11;
    QList<SwayOutput> m_outputs;
};

void ScreenCastBench::initTestCase() {
    auto x11 = X11Platform::open();
    QVERIFY(x11);
    m_x11 = std::move(*x11);
}

void ScreenCastBench::outputRows(bool x11) {
    QTest::addColumn<int>("count");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("cast");
    QStringList layouts = QCoreApplication::arguments();
    layouts = layouts.mid(layouts.indexOf("--") + 1);
    if (!QCoreApplication::arguments().contains("--")) {
        layouts = {"1x1280x800", "1x3840x2160", "2x3840x2160"};
    }
    if (x11) {
        QTest::newRow("x11") << 1 << QSize(1280, 800) << false;
    }
    for (const QString& layout : std::as_const(layouts)) {
        const QStringList parts = layout.split('x');
        QTest::newRow(qPrintable(layout))
            << parts.value(0).toInt() << QSize(parts.value(1).toInt(), parts.value(2).toInt())
            << true;
    }
}

bool ScreenCastBench::setOutputs(int count, QSize size) {
    m_cast.reset();
    m_portal.reset();
    m_producer.reset();
    while (SwayDesktop::outputs().size() < count) {
        SwayDesktop::run("swaymsg", {"create_output"});
    }
    const QString mode = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    for (int i = 0; i < count; ++i) {
        SwayDesktop::run("swaymsg", {"output", QStringLiteral("HEADLESS-%1").arg(i + 1), "mode",
                                     mode, "position", QString::number(i * size.width()), "0"});
    }
    m_outputs = SwayDesktop::outputs().mid(0, count);
    QList<QSize> sizes;
    QList<QRect> places;
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        sizes << output.pixels();
        places << output.logical;
    }
    m_producer = std::make_unique<CastProducer>(sizes);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(qRgb(12, 34, 56));
    for (int i = 0; i < count; ++i) {
        if (!m_producer->isReady() || !m_producer->show(i, picture)) {
            return false;
        }
    }
    m_portal = std::make_unique<FakePortalProcess>(
        QStringList{"--cast-streams", m_producer->streams(places)});
    return m_portal->isReady() && sizes.size() == count && sizes.value(0) == size;
}

bool ScreenCastBench::openCast() {
    m_cast = std::make_unique<ScreenCastPipeWire>();
    QSignalSpy known(m_cast.get(), &ScreenCast::offerKnown);
    QSignalSpy opened(m_cast.get(), &ScreenCast::opened);
    if (!known.wait(5000)) {
        return false;
    }
    m_cast->open({});
    return opened.wait(5000) && m_producer->cursor(0, {100, 100}) &&
           // This process's screen is Xvfb's: the pointer's agreed place confirms the stream.
           QTest::qWaitFor(
               [&] {
                   return m_cast->placeUnder({100, 100}, true) && m_cast->placeUnder({}, false);
               },
               5000);
}

// What the follower does every 50 ms outside a pick: where the pointer is, then the block.
void ScreenCastBench::tick() {
    QFETCH(int, count);
    QFETCH(QSize, size);
    QFETCH(bool, cast);
    if (!cast) {
        ScreenSampler sampler(m_x11->screenReader());
        sampler.setMethod(SamplingMethod::Mean7x7);
        QBENCHMARK {
            sampler.sampleAt(m_x11->pointerPosition().value_or(QPoint(100, 100)));
        }
        return;
    }
    QVERIFY(setOutputs(count, size) && openCast());
    m_cast->setMethod(SamplingMethod::Mean7x7);
    QBENCHMARK {
        const PointerSample sample = m_cast->sampleAt(m_cast->placeUnder({}, false).value());
        Q_UNUSED(sample)
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
    QFETCH(int, count);
    QFETCH(QSize, size);
    QVERIFY(setOutputs(count, size) && m_producer->cursor(0, {100, 100}));
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
    qInfo("Tintor following at 30 frames a second of %d x %dx%d: %.2f%% of a core, its "
          "PipeWire thread %.2f%%",
          count, size.width(), size.height(), double(ticksOf(pid) - before) / seconds,
          double(ticksOf(pid, "tintor-cast") - readerBefore) / seconds);
    m_producer->setRate(5);
}

// The reader itself: no event loop runs while it is waited for.
void ScreenCastBench::latency() {
    QFETCH(int, count);
    QFETCH(QSize, size);
    QVERIFY(setOutputs(count, size) && openCast());
    m_producer->setRate(30); // frames keep coming, as on a busy screen
    QList<qint64> delays;
    for (int i = 1; i <= 40; ++i) {
        const QPoint at(100 + i * 7, 200 + i * 3);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(m_producer->cursor(0, at));
        const auto arrived = [&] {
            const auto place = m_cast->placeUnder({}, false);
            return place && place->pixel.pixel.x() == at.x();
        };
        while (!arrived() && timer.elapsed() < 1000) {
            QThread::usleep(100);
        }
        QVERIFY(arrived());
        delays << timer.nsecsElapsed() / 1000;
    }
    std::sort(delays.begin(), delays.end());
    m_producer->setRate(5);
    qInfo("%d x %dx%d: new pointer place to the reader: median %lld us, max %lld us", count,
          size.width(), size.height(), delays[delays.size() / 2], delays.back());
}

QTEST_MAIN(ScreenCastBench)
#include "bench_screencast.moc"
