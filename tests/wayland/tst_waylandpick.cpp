// Picks in a headless sway session through the desktop's own screenshot portal: native
// surfaces show known pictures, the virtual pointer moves over the frozen screenshot, and
// Tintor's swatch (read through X) must show exactly the pixels under it.  Run through
// with-sway.sh, on one output and on two with the first scaled by 2.
#include "SwayDesktop.h"
#include "SwayTintor.h"

#include <QFile>
#include <QTest>

namespace {

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const Rgb Red(230, 20, 35);
const Rgb Blue(25, 40, 210);

} // namespace

class tst_WaylandPick : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void nativeColoursPicked();
    void pickEnds_data();
    void pickEnds();
    void scaledAndSecondOutput();

private:
    bool show(const SwayOutput& output, const QImage& image);
    bool startPick(SwayTintor& tintor);

    QTemporaryDir m_dir;
    QList<SwayOutput> m_outputs;
    // One device for the whole run, as a user has one mouse.
    VirtualPointer m_pointer;
};

void tst_WaylandPick::initTestCase() {
    QVERIFY(m_pointer.started());
}

void tst_WaylandPick::init() {
    if (!SwayDesktop::busHasOwner(Portal)) {
        QSKIP("no desktop portal in this session");
    }
    m_outputs = SwayDesktop::outputs();
    QVERIFY(!m_outputs.isEmpty());
    QVERIFY(m_pointer.move(m_outputs.back().logical.bottomRight()));
    QVERIFY2(SwayDesktop::clearPortalFile(), "cannot remove an earlier /tmp/out.png");
}

bool tst_WaylandPick::show(const SwayOutput& output, const QImage& image) {
    return SwayDesktop::showBackground(output, image, m_dir.filePath(output.name + ".png"),
                                       m_pointer.position());
}

// Alt+P, until the frozen screenshot lies over every output.
bool tst_WaylandPick::startPick(SwayTintor& tintor) {
    // The screenshot shows the pointer too: out of the way of every place that is picked.
    if (!m_pointer.move(m_outputs.back().logical.bottomRight())) {
        return false;
    }
    // The picture lies over every output in plain windows around Tintor's own.
    int windows = 0;
    for (const SwayOutput& output : m_outputs) {
        windows += QRegion(output.logical).subtracted(tintor.mainRect()).rectCount();
    }
    tintor.pressPick();
    return QTest::qWaitFor([&] { return tintor.title() == Title::Picking; }, 5000) &&
           QTest::qWaitFor([&] { return tintor.shown(Title::FrozenScreen) == windows; }, 10000);
}

void tst_WaylandPick::nativeColoursPicked() {
    const SwayOutput& output = m_outputs.front();
    QVERIFY(show(output, halves(output.pixels(), Red, Blue)));
    SwayTintor tintor;
    QVERIFY(tintor.started());
    QVERIFY(startPick(tintor));
    // The portal's file was read and removed before the picture showed.
    QVERIFY(!QFile::exists(SwayDesktop::PortalFile));

    const QRect left = output.logical.adjusted(0, 0, -output.logical.width() / 2, 0);
    const QRect right = output.logical.adjusted(output.logical.width() / 2, 0, 0, 0);
    const QList<QPoint> reds = clearPoints(left, tintor.mainRect(), 2);
    const QList<QPoint> blues = clearPoints(right, tintor.mainRect(), 1);
    QCOMPARE(reds.size() + blues.size(), 3);
    for (const auto& [at, colour] : {std::pair{reds[0], Red}, {blues[0], Blue}, {reds[1], Red}}) {
        QVERIFY(tintor.movePointer(m_pointer, at));
        QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(colour), 5000);
    }
    QCOMPARE(tintor.title(), Title::Picking);
    // The compositor shows the window above the frozen picture, not a black hole in it.
    const QPoint inside = tintor.mainRect().topLeft() + QPoint(4, 4);
    const QImage seen =
        SwayDesktop::grim({"-g", QStringLiteral("%1,%2 1x1").arg(inside.x()).arg(inside.y())});
    QCOMPARE(hex(seen.pixel(0, 0)), hex(qRgb(0xEF, 0xEF, 0xEF)));
}

void tst_WaylandPick::pickEnds_data() {
    QTest::addColumn<int>("end"); // a mouse button, or 0 for Escape
    QTest::addColumn<bool>("keeps");
    QTest::newRow("left click keeps the colour") << int(Qt::LeftButton) << true;
    QTest::newRow("Escape brings the earlier colour back") << 0 << false;
}

void tst_WaylandPick::pickEnds() {
    QFETCH(int, end);
    QFETCH(bool, keeps);
    const SwayOutput& output = m_outputs.front();
    QVERIFY(show(output, halves(output.pixels(), Red, Blue)));
    SwayTintor tintor;
    QVERIFY(tintor.started());
    const std::optional<Rgb> before = tintor.swatch();
    QVERIFY2(before && before != Blue && before != Red, qPrintable(hex(before)));
    const QRect right = output.logical.adjusted(output.logical.width() / 2, 0, 0, 0);
    const QList<QPoint> blue = clearPoints(right, tintor.mainRect(), 1);
    QCOMPARE(blue.size(), 1);

    QVERIFY(startPick(tintor));
    QVERIFY(tintor.movePointer(m_pointer, blue.front()));
    QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(Blue), 5000);
    if (end == 0) {
        tintor.pressEscape();
    } else {
        QVERIFY(m_pointer.click(Qt::MouseButton(end)));
    }
    QTRY_COMPARE_WITH_TIMEOUT(tintor.title(), Title::Main, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(tintor.shown(Title::FrozenScreen), 0, 5000);
    const QString expected = hex(keeps ? Blue : before);
    QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), expected, 5000);
    // Over the middle of Tintor's own window (its grey background, where a pick would read
    // the frozen picture of it), a few ticks later nothing is picked any more.
    QVERIFY(tintor.movePointer(m_pointer, tintor.mainRect().center()));
    QTest::qWait(300);
    QCOMPARE(hex(tintor.swatch()), expected);
}

// The scaled output is read in its own device pixels, the other at its own scale; the
// frozen picture lies over both.
void tst_WaylandPick::scaledAndSecondOutput() {
    if (m_outputs.size() < 2 || m_outputs.front().scale != 2) {
        QSKIP("needs two outputs, the first scaled by 2");
    }
    const SwayOutput& scaled = m_outputs[0];
    const SwayOutput& plain = m_outputs[1];
    const QImage fine = distinctPixels(scaled.pixels());
    const Rgb green(10, 200, 60);
    const Rgb yellow(240, 220, 5);
    QVERIFY(show(scaled, fine));
    QVERIFY(show(plain, halves(plain.pixels(), green, yellow)));
    SwayTintor tintor;
    QVERIFY(tintor.started());
    QVERIFY(startPick(tintor));
    QVERIFY(!QFile::exists(SwayDesktop::PortalFile));

    QList<std::pair<QPoint, Rgb>> picks;
    for (const QPoint at : clearPoints(scaled.logical, tintor.mainRect(), 3)) {
        const QRgb device = fine.pixel((at - scaled.logical.topLeft()) * 2);
        picks.append({at, Rgb::fromQRgb(device)});
    }
    const QRect plainLeft = plain.logical.adjusted(0, 0, -plain.logical.width() / 2, 0);
    const QRect plainRight = plain.logical.adjusted(plain.logical.width() / 2, 0, 0, 0);
    for (const QPoint at : clearPoints(plainLeft, tintor.mainRect(), 1)) {
        picks.append({at, green});
    }
    for (const QPoint at : clearPoints(plainRight, tintor.mainRect(), 1)) {
        picks.append({at, yellow});
    }
    QCOMPARE(picks.size(), 5);
    for (const auto& [at, colour] : std::as_const(picks)) {
        QVERIFY(tintor.movePointer(m_pointer, at));
        QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(colour), 5000);
    }
}

QTEST_GUILESS_MAIN(tst_WaylandPick)
#include "tst_waylandpick.moc"
