// Cost of one slider change through the update cascade, with the repaint it causes, on
// Qt's offscreen platform:
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_cascade

#include "../tests/forms/FakePlatform.h"
#include "forms/ThinTrackBar.h"
#include "forms/TintorMain.h"

#include <QTest>

class CascadeBench : public QObject {
    Q_OBJECT
private slots:
    void cascadeOnly();
    void cascadeAndRepaint();
    void threeChannelsAndRepaint();
    void threeChannelsRepaintEach();
};

void CascadeBench::cascadeOnly() {
    FakePlatform platform;
    TMainForm form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        form.TrackR->setValue(value);
    }
}

void CascadeBench::cascadeAndRepaint() {
    FakePlatform platform;
    TMainForm form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        form.TrackR->setValue(value);
        QCoreApplication::processEvents();
    }
}

// What one pick tick does to the window: three slider changes, then one repaint.
void CascadeBench::threeChannelsAndRepaint() {
    FakePlatform platform;
    TMainForm form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        form.TrackR->setValue(value);
        form.TrackG->setValue(255 - value);
        form.TrackB->setValue(value ^ 0x55);
        QCoreApplication::processEvents();
    }
}

// The same three changes with the window repainted after each, as drawing every cascade
// straight onto the screen would: the baseline for the coalesced repaint above.
void CascadeBench::threeChannelsRepaintEach() {
    FakePlatform platform;
    TMainForm form(platform);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    int value = 0;
    QBENCHMARK {
        value = (value + 1) & 0xFF;
        form.TrackR->setValue(value);
        QCoreApplication::processEvents();
        form.TrackG->setValue(255 - value);
        QCoreApplication::processEvents();
        form.TrackB->setValue(value ^ 0x55);
        QCoreApplication::processEvents();
    }
}

QTEST_MAIN(CascadeBench)
#include "bench_cascade.moc"
