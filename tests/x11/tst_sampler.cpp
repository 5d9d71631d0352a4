// The sampler and the magnifier over a real X screen: what a tick reads, at the screen's
// edges too, and what the magnifier then shows.

#include "Magnifier.h"
#include "ScreenSampler.h"
#include "X11Platform.h"
#include "XSession.h"

#include <QApplication>
#include <QTest>

#include <memory>

class SamplerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void bottomRightCornerReadsWithoutXError();
    void magnifierShowsSixteenPixelCellsFor3x3();

private:
    // Puts the pointer at (x, y) and samples there, as one tick does; nothing when the
    // pointer cannot be read.
    std::optional<Rgb> sampleAt(int x, int y);

    XSession m_x;
    std::unique_ptr<X11Platform> m_platform;
    std::unique_ptr<ScreenSampler> m_sampler;
    std::unique_ptr<Magnifier> m_magnifier;
    std::vector<Window> m_windows;
};

void SamplerTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    auto opened = X11Platform::open();
    QVERIFY2(opened, opened ? "" : opened.error().toLocal8Bit().constData());
    m_platform = std::move(*opened);
}

void SamplerTest::init() {
    m_sampler = std::make_unique<ScreenSampler>(m_platform->screenReader());
    m_magnifier = std::make_unique<Magnifier>();
    m_magnifier->resize(48, 47);
}

void SamplerTest::cleanup() {
    m_magnifier.reset();
    m_sampler.reset();
    for (const Window window : m_windows) {
        m_x.destroyWindow(window);
    }
    m_windows.clear();
}

std::optional<Rgb> SamplerTest::sampleAt(int x, int y) {
    m_x.movePointer(x, y);
    const std::optional<QPoint> pointer = m_platform->pointerPosition();
    if (!pointer) {
        return std::nullopt;
    }
    const Rgb colour = m_sampler->sample(*pointer);
    m_magnifier->setImage(m_sampler->image());
    return colour;
}

void SamplerTest::bottomRightCornerReadsWithoutXError() {
    const QSize screen = m_x.screenSize();
    QImage black(4, 4, QImage::Format_RGB32);
    black.fill(Qt::black);
    m_windows.push_back(m_x.showImage(screen.width() - 4, screen.height() - 4, black));
    m_sampler->setMethod(SamplingMethod::Mean7x7);
    // 16 of 49 points on the screen, black: (33 * 255) / 49 = 171.  The others show white.
    QCOMPARE(sampleAt(screen.width() - 1, screen.height() - 1), Rgb(171, 171, 171));
    QCOMPARE(m_sampler->image().pixel(6, 6), qRgb(255, 255, 255));
    m_sampler->setMethod(SamplingMethod::SinglePixel);
    QCOMPARE(sampleAt(screen.width() - 1, screen.height() - 1), Rgb(0, 0, 0));
}

void SamplerTest::magnifierShowsSixteenPixelCellsFor3x3() {
    QImage image(3, 3, QImage::Format_RGB32);
    for (int i = 0; i < 9; ++i) {
        image.setPixel(i % 3, i / 3, qRgb(20 * i, 255 - 20 * i, 7 * i));
    }
    m_windows.push_back(m_x.showImage(300, 300, image));
    m_sampler->setMethod(SamplingMethod::Mean3x3);
    sampleAt(301, 301);
    const QImage magnifier = m_magnifier->grab().toImage();
    for (int i = 0; i < 9; ++i) {
        const QColor expected(20 * i, 255 - 20 * i, 7 * i);
        const int left = 16 * (i % 3);
        const int top = 16 * (i / 3);
        const int bottom = std::min(top + 15, 46); // the last row is clipped at 47
        QCOMPARE(magnifier.pixelColor(left, top), expected);
        QCOMPARE(magnifier.pixelColor(left + 15, bottom), expected);
    }
}

QTEST_MAIN(SamplerTest)
#include "tst_sampler.moc"
