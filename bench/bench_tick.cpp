// Cost of the sampler's tick on the current X server, beside the naive path that reads
// every pixel of the block with its own request:
//
//   tests/with-xvfb.sh build/bench/bench_tick

#include "forms/ThinTrackBar.h"
#include "forms/TintorMain.h"
#include "platform/X11Platform.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>

class TickBench : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void blockRead7x7();
    void naivePerPixel7x7();
    void pointerQuery();
    void tickReadsOnly_data();
    void tickReadsOnly();
    void tick_data();
    void tick();

private:
    QTemporaryDir m_settings; // the store writes here, never to the user's settings
    std::unique_ptr<X11Platform> m_platform;
    std::unique_ptr<TMainForm> m_form;
};

void TickBench::initTestCase() {
    qputenv("XDG_CONFIG_HOME", m_settings.path().toLocal8Bit());
    std::string error;
    m_platform = X11Platform::open(error);
    QVERIFY2(m_platform, error.c_str());
    m_form = std::make_unique<TMainForm>(*m_platform);
    m_form->PickTmr->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TickBench::cleanupTestCase() {
    m_form.reset();
}

// The floor: one 7x7 read of the screen.
void TickBench::blockRead7x7() {
    std::array<ColourRef, 49> block{};
    QBENCHMARK {
        m_form->ScreenDC->ReadBlock(100, 100, 7, block);
    }
}

// One request per pixel, as a tick that read the 49 pixels one by one would.
void TickBench::naivePerPixel7x7() {
    std::array<ColourRef, 49> block{};
    QBENCHMARK {
        for (int i = 0; i < 49; ++i) {
            block[static_cast<std::size_t>(i)] =
                m_form->ScreenDC->GetPixel(100 + i % 7, 100 + i / 7);
        }
    }
}

// The other read every tick needs, before it knows where to read the block.
void TickBench::pointerQuery() {
    QBENCHMARK {
        const auto pointer = m_platform->GetCursorPos();
        QVERIFY(pointer.has_value());
    }
}

void TickBench::tickReadsOnly_data() {
    QTest::addColumn<int>("method");
    for (int method = 0; method <= 3; ++method) {
        QTest::addRow("method %d", method) << method;
    }
}

// The tick without the repaint it requests: the two reads, the mean and the copy.
void TickBench::tickReadsOnly() {
    QFETCH(int, method);
    m_form->ChosenMethod = static_cast<SamplingMethod>(method);
    m_form->ApplySamplingMethod();
    QBENCHMARK {
        m_form->PickTmrTimer();
    }
    QCoreApplication::processEvents();
}

void TickBench::tick_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<bool>("picking");
    for (int method = 0; method <= 3; ++method) {
        QTest::addRow("method %d", method) << method << false;
        QTest::addRow("method %d picking", method) << method << true;
    }
}

// The whole tick, with the repaint it asks for.
void TickBench::tick() {
    QFETCH(int, method);
    QFETCH(bool, picking);
    m_form->ChosenMethod = static_cast<SamplingMethod>(method);
    m_form->ApplySamplingMethod();
    m_form->PFSBtn->setEnabled(!picking);
    QBENCHMARK {
        m_form->PickTmrTimer();
        QCoreApplication::processEvents();
    }
    m_form->PFSBtn->setEnabled(true);
}

QTEST_MAIN(TickBench)
#include "bench_tick.moc"
