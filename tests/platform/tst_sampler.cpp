// The main window's sampler with the real X11 services on Xvfb: colours the test puts on
// the screen, the pointer moved through XTest, one tick at a time.

#include "XSession.h"
#include "forms/PaintBox.h"
#include "forms/ThinTrackBar.h"
#include "forms/TintorMain.h"
#include "platform/X11Platform.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QImage solid(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class SamplerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void coordinatesFollowThePointer();
    void singlePixelIsExactAndRepaintsOnlyOnChange();
    void blockMeanTruncates();
    void cornerCountsOffScreenPointsAsWhite_data();
    void cornerCountsOffScreenPointsAsWhite();
    void bottomRightCornerReadsWithoutXError();
    void magnifierShowsSixteenPixelCellsFor3x3();
    void unknownMethodReadsNothingAndYieldsBlack();
    void idleTickNeverMovesSliders();
    void applyingSameSideKeepsBitmap();

private:
    // Puts the pointer at (x, y) and runs one tick; in pick mode that sets the sliders.
    ColourRef pickAt(int x, int y);
    void useMethod(SamplingMethod method);

    XSession m_x;
    std::unique_ptr<X11Platform> m_platform;
    std::unique_ptr<TMainForm> m_form;
    std::vector<Window> m_windows;
};

void SamplerTest::initTestCase() {
    QVERIFY2(m_x.connected(), "needs an X server in DISPLAY");
    std::string error;
    m_platform = X11Platform::open(error);
    QVERIFY2(m_platform, error.c_str());
}

void SamplerTest::init() {
    m_form = std::make_unique<TMainForm>(*m_platform);
    m_form->PickTmr->stop(); // the test runs each tick itself
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void SamplerTest::cleanup() {
    m_form.reset();
    for (const Window window : m_windows) {
        m_x.destroyWindow(window);
    }
    m_windows.clear();
}

void SamplerTest::useMethod(SamplingMethod method) {
    m_form->ChosenMethod = method;
    m_form->ApplySamplingMethod();
}

ColourRef SamplerTest::pickAt(int x, int y) {
    m_x.movePointer(x, y);
    m_form->PFSBtn->setEnabled(false); // pick mode, without the capture
    m_form->PickTmrTimer();
    m_form->PFSBtn->setEnabled(true);
    return m_form->CurrentColour();
}

void SamplerTest::coordinatesFollowThePointer() {
    m_x.movePointer(321, 7);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->CoordsLbl->text(), QStringLiteral("x:321\ry:7"));
    m_x.movePointer(0, 1023);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->CoordsLbl->text(), QStringLiteral("x:0\ry:1023"));
}

void SamplerTest::singlePixelIsExactAndRepaintsOnlyOnChange() {
    QImage image = solid(4, qRgb(1, 2, 3));
    image.setPixel(2, 1, qRgb(201, 102, 53));
    m_windows.push_back(m_x.showImage(100, 100, image));
    QCOMPARE(pickAt(102, 101), RGB(201, 102, 53));
    QCOMPARE(pickAt(101, 101), RGB(1, 2, 3));

    QSignalSpy redraws(m_form->MagBox, &TPaintBox::redrawRequested);
    m_form->PickTmrTimer();
    QCOMPARE(redraws.size(), 0); // same value: no repaint
    m_x.movePointer(102, 101);
    m_form->PickTmrTimer();
    QCOMPARE(redraws.size(), 1);

    // One uniform square of the pixel's colour, 48 wide, 47 high.
    const QImage magnifier = m_form->MagBox->grab().toImage();
    QCOMPARE(magnifier.size(), QSize(48, 47));
    for (const QPoint p : {QPoint(0, 0), QPoint(47, 0), QPoint(24, 24), QPoint(47, 46)}) {
        QCOMPARE(magnifier.pixelColor(p), QColor(201, 102, 53));
    }
}

void SamplerTest::blockMeanTruncates() {
    QImage image = solid(3, qRgb(255, 10, 20));
    image.setPixel(1, 1, qRgb(0, 10, 20));
    m_windows.push_back(m_x.showImage(200, 200, image));
    useMethod(1);
    QCOMPARE(pickAt(201, 201), RGB(226, 10, 20)); // 2040 / 9 = 226.67
}

void SamplerTest::cornerCountsOffScreenPointsAsWhite_data() {
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("expected");
    QTest::newRow("3x3: 5 of 9 off") << 1 << 141;
    QTest::newRow("5x5: 16 of 25 off") << 2 << 163;
    QTest::newRow("7x7: 33 of 49 off") << 3 << 171;
}

void SamplerTest::cornerCountsOffScreenPointsAsWhite() {
    QFETCH(int, method);
    QFETCH(int, expected);
    m_windows.push_back(m_x.showImage(0, 0, solid(8, qRgb(0, 0, 0))));
    useMethod(static_cast<SamplingMethod>(method));
    QCOMPARE(pickAt(0, 0), RGB(expected, expected, expected));
}

void SamplerTest::bottomRightCornerReadsWithoutXError() {
    const QSize screen = m_x.screenSize();
    m_windows.push_back(
        m_x.showImage(screen.width() - 4, screen.height() - 4, solid(4, qRgb(0, 0, 0))));
    useMethod(3);
    // 16 of 49 points on the screen, black: (33 * 255) / 49 = 171.
    QCOMPARE(pickAt(screen.width() - 1, screen.height() - 1), RGB(171, 171, 171));
    useMethod(0);
    m_x.movePointer(screen.width() - 1, screen.height() - 1);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->MagBox->colour(), RGB(0, 0, 0));
}

void SamplerTest::magnifierShowsSixteenPixelCellsFor3x3() {
    QImage image(3, 3, QImage::Format_RGB32);
    for (int i = 0; i < 9; ++i) {
        image.setPixel(i % 3, i / 3, qRgb(20 * i, 255 - 20 * i, 7 * i));
    }
    m_windows.push_back(m_x.showImage(300, 300, image));
    useMethod(1);
    m_x.movePointer(301, 301);
    m_form->PickTmrTimer();
    const QImage magnifier = m_form->MagBox->grab().toImage();
    for (int i = 0; i < 9; ++i) {
        const QColor expected(20 * i, 255 - 20 * i, 7 * i);
        const int left = 16 * (i % 3);
        const int top = 16 * (i / 3);
        const int bottom = std::min(top + 15, 46); // the last row is clipped at 47
        QCOMPARE(magnifier.pixelColor(left, top), expected);
        QCOMPARE(magnifier.pixelColor(left + 15, bottom), expected);
    }
}

void SamplerTest::unknownMethodReadsNothingAndYieldsBlack() {
    m_windows.push_back(m_x.showImage(400, 400, solid(9, qRgb(90, 180, 45))));
    pickAt(404, 404);
    QCOMPARE(m_form->CurrentColour(), RGB(90, 180, 45));
    useMethod(7);
    QSignalSpy redraws(m_form->MagBox, &TPaintBox::redrawRequested);
    QCOMPARE(pickAt(404, 404), RGB(0, 0, 0));
    QCOMPARE(redraws.size(), 0);
    QCOMPARE(m_form->CoordsLbl->text(), QStringLiteral("x:404\ry:404"));
    // The magnifier is never drawn: it shows the window's background.
    const QImage magnifier = m_form->MagBox->grab().toImage();
    QCOMPARE(magnifier.pixelColor(24, 24), m_form->palette().color(QPalette::Button));
}

void SamplerTest::idleTickNeverMovesSliders() {
    m_windows.push_back(m_x.showImage(500, 500, solid(3, qRgb(10, 20, 30))));
    m_x.movePointer(501, 501);
    m_form->PickTmrTimer();
    QCOMPARE(m_form->CurrentColour(), RGB(0, 0, 0));
    QCOMPARE(m_form->MagBox->colour(), RGB(10, 20, 30));
}

void SamplerTest::applyingSameSideKeepsBitmap() {
    useMethod(2);
    QCOMPARE(m_form->SampleBitmap.size(), QSize(5, 5));
    const qint64 key = m_form->SampleBitmap.cacheKey();
    useMethod(2);
    QCOMPARE(m_form->SampleBitmap.cacheKey(), key);
    useMethod(9); // unknown: the bitmap stays as it was, nothing is sampled
    QCOMPARE(m_form->SampleBitmap.size(), QSize(5, 5));
    QCOMPARE(m_form->ActiveMethod, SamplingMethod{9});
}

QTEST_MAIN(SamplerTest)
#include "tst_sampler.moc"
