// Cost of one slider change through the update cascade, with the repaint it causes, on
// Qt's offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_cascade

#include "ChannelSlider.h"
#include "WidgetTest.h"

#include <QTest>

#include <memory>

class CascadeBench : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void cascadeOnly();
    void cascadeAndRepaint();
    void threeChannelsAndRepaint();
    void threeChannelsRepaintEach();

private:
    std::unique_ptr<WidgetTest> m_test;
    ChannelSlider* slider(const char* name) const { return m_test->find<ChannelSlider>(name); }
};

// A fresh, shown window for each benchmark.
void CascadeBench::init() {
    m_test = std::make_unique<WidgetTest>();
    QVERIFY(QTest::qWaitForWindowExposed(&m_test->window()));
}

void CascadeBench::cleanup() {
    m_test.reset();
}

void CascadeBench::cascadeOnly() {
    ChannelSlider* red = slider("redSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
    }
}

void CascadeBench::cascadeAndRepaint() {
    ChannelSlider* red = slider("redSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
        QCoreApplication::processEvents();
    }
}

// What one pick tick does to the window: three slider changes, then one repaint.
void CascadeBench::threeChannelsAndRepaint() {
    ChannelSlider* red = slider("redSlider");
    ChannelSlider* green = slider("greenSlider");
    ChannelSlider* blue = slider("blueSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
        green->setValue(255 - value);
        blue->setValue(value ^ 0x55);
        QCoreApplication::processEvents();
    }
}

// The same three changes with the window repainted after each, as drawing every cascade
// straight onto the screen would: the baseline for the coalesced repaint above.
void CascadeBench::threeChannelsRepaintEach() {
    ChannelSlider* red = slider("redSlider");
    ChannelSlider* green = slider("greenSlider");
    ChannelSlider* blue = slider("blueSlider");
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        red->setValue(value);
        QCoreApplication::processEvents();
        green->setValue(255 - value);
        QCoreApplication::processEvents();
        blue->setValue(value ^ 0x55);
        QCoreApplication::processEvents();
    }
}

QTEST_MAIN(CascadeBench)
#include "bench_cascade.moc"
