// Time from asking the desktop portal for a screenshot to holding the image, beside the
// time grim takes for the same picture (what xdg-desktop-portal-wlr runs underneath), in
// one run of a headless sway session:
//
//   tests/wayland/with-sway.sh build/bench/bench_portal
//   tests/wayland/with-sway.sh --outputs 2 --scale 2 build/bench/bench_portal

#include "ScreenshotPortal.h"

#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

class PortalBench : public QObject {
    Q_OBJECT
private slots:
    void portalScreenshot();
    void grimScreenshot();
};

void PortalBench::portalScreenshot() {
    ScreenshotPortal portal;
    QSignalSpy images(&portal, &ScreenshotPortal::imageReady);
    QSignalSpy failures(&portal, &ScreenshotPortal::failed);
    QBENCHMARK {
        images.clear();
        portal.request();
        QVERIFY(images.wait(15000));
    }
    QVERIFY(failures.isEmpty());
}

void PortalBench::grimScreenshot() {
    QBENCHMARK {
        QProcess grim;
        grim.start(QStringLiteral("grim"),
                   {QStringLiteral("-t"), QStringLiteral("png"), QStringLiteral("-")});
        QVERIFY(grim.waitForFinished(15000));
        QVERIFY(!QImage::fromData(grim.readAllStandardOutput()).isNull());
    }
}

QTEST_GUILESS_MAIN(PortalBench)
#include "bench_portal.moc"
