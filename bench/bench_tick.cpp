// Cost of the sampler's tick on the current X server, beside the naive path that reads
// every pixel of the block with its own request, and with the contrast view on (its worst
// case: a new pair every tick, each verdict's suggestions sought anew):
//
//   tests/with-xvfb.sh build/bench/bench_tick

#include "ContrastView.h"
#include "Magnifier.h"
#include "ScreenSampler.h"
#include "X11Platform.h"

#include <QTest>

#include <array>

class TickBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void blockRead7x7();
    void naivePerPixel7x7();
    void pointerQuery();
    void tick_data();
    void tick();

private:
    std::unique_ptr<X11Platform> m_platform;
    std::unique_ptr<ScreenReader> m_reader;
};

void TickBench::initTestCase() {
    auto opened = X11Platform::open();
    QVERIFY2(opened, opened ? "" : opened.error().toLocal8Bit().constData());
    m_platform = std::move(*opened);
    m_reader = m_platform->screenReader();
}

// The floor: one 7x7 read of the screen.
void TickBench::blockRead7x7() {
    std::array<ScreenPixel, 49> block{};
    QBENCHMARK {
        m_reader->readBlock(QPoint(100, 100), 7, block);
    }
}

// One request per pixel, as a tick that read the 49 pixels one by one would.
void TickBench::naivePerPixel7x7() {
    std::array<ScreenPixel, 49> block{};
    QBENCHMARK {
        for (int i = 0; i < 49; ++i) {
            block[static_cast<std::size_t>(i)] = m_reader->pixel(QPoint(100 + i % 7, 100 + i / 7));
        }
    }
}

// The other read every tick needs, before it knows where to read the block.
void TickBench::pointerQuery() {
    QBENCHMARK {
        const auto pointer = m_platform->pointerPosition();
        QVERIFY(pointer.has_value());
    }
}

void TickBench::tick_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("contrast");
    for (int method = 0; method <= 3; ++method) {
        QTest::addRow("method %d", method) << method << false;
        QTest::addRow("method %d, contrast view", method) << method << true;
    }
}

// A tick's reads, mean, copy and the magnifier's repaint; with the contrast view, its
// figures for a kept colour that changes every tick, and its repaint.
void TickBench::tick() {
    QFETCH(int, method);
    QFETCH(bool, contrast);
    ContrastView view;
    view.setVisible(contrast);
    int kept = 0;
    ScreenSampler sampler(m_platform->screenReader());
    sampler.setMethod(static_cast<SamplingMethod>(method));
    Magnifier magnifier;
    magnifier.resize(48, 47);
    magnifier.show();
    QVERIFY(QTest::qWaitForWindowExposed(&magnifier));
    QBENCHMARK {
        const auto pointer = m_platform->pointerPosition();
        const Rgb sampled = sampler.sample(pointer.value_or(QPoint()));
        magnifier.setImage(sampler.image());
        magnifier.repaint();
        if (contrast) {
            kept = (kept + 97) % 0x1000000;
            view.compare(Rgb(kept >> 16, kept >> 8, kept), sampled);
            QCoreApplication::processEvents(); // paints what changed, as the event loop does
        }
    }
}

QTEST_MAIN(TickBench)
#include "bench_tick.moc"
