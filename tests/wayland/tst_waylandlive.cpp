// Following the pointer everywhere in a headless sway session, through the fake portal's
// ScreenCast and the test's PipeWire producer: the magnifier over other programs' windows
// (on one output, and on two with the first scaled by 2), a pick from the live screen, and
// the ends of the cast that turn the choice off.
#include "CastProducer.h"
#include "FakePortalProcess.h"
#include "SwayTintor.h"

#include <QTest>

namespace {

const QByteArray Chosen = "{\"FollowEverywhere\": true}\n";

// Every pixel its own colour, and every output its own pictures.
QImage distinct(QSize size, int output) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) << 5 | (y >> 8) << 2 | output));
        }
    }
    return image;
}

} // namespace

class tst_WaylandLive : public QObject {
    Q_OBJECT

private slots:
    void init();
    void follows();
    void livePick();
    void ends_data();
    void ends();

private:
    // Tintor with the choice on, once its cast is open; `blank` is its empty magnifier.
    bool start(SwayTintor& tintor);
    // The pointer at `at` for the compositor and for the cast; the colour the cast shows there.
    Rgb pointAt(QPoint at);
    Rgb magnifier(SwayTintor& tintor) { return tintor.x().pixel(tintor.main(), 31, 32); }
    QList<QPoint> clearPoints(SwayTintor& tintor, const SwayOutput& output);

    QList<SwayOutput> m_outputs;
    QList<QImage> m_pictures;
    std::unique_ptr<CastProducer> m_producer;
    std::unique_ptr<FakePortalProcess> m_portal;
    VirtualPointer m_pointer;
    Rgb m_blank;
};

void tst_WaylandLive::init() {
    m_portal.reset();
    m_outputs = SwayDesktop::outputs();
    QList<QSize> sizes;
    QList<QRect> places;
    m_pictures.clear();
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        sizes << output.pixels();
        places << output.logical;
        m_pictures << distinct(output.pixels(), int(m_pictures.size()));
    }
    m_producer = std::make_unique<CastProducer>(sizes);
    QVERIFY(m_producer->isReady() && m_pointer.started());
    for (int i = 0; i < m_pictures.size(); ++i) {
        QVERIFY(m_producer->show(i, m_pictures[i]));
    }
    QVERIFY(m_pointer.move(m_outputs.front().logical.topLeft() + QPoint(2, 2)));
    m_portal = std::make_unique<FakePortalProcess>(
        QStringList{"--cast-streams", m_producer->streams(places)});
    QVERIFY(m_portal->isReady());
}

bool tst_WaylandLive::start(SwayTintor& tintor) {
    if (!tintor.started()) {
        return false;
    }
    m_blank = magnifier(tintor);
    return QTest::qWaitFor([&] { return tintor.settings().contains("fake-token-1"); }, 10000);
}

Rgb tst_WaylandLive::pointAt(QPoint at) {
    for (int i = 0; i < m_outputs.size(); ++i) {
        const SwayOutput& output = m_outputs[i];
        if (output.logical.contains(at)) {
            const QPoint pixel = (at - output.logical.topLeft()) * output.scale;
            m_producer->cursor(i, pixel);
            m_pointer.move(at);
            return Rgb::fromQRgb(m_pictures[i].pixel(pixel));
        }
    }
    return Rgb::offScreen();
}

QList<QPoint> tst_WaylandLive::clearPoints(SwayTintor& tintor, const SwayOutput& output) {
    const QRect avoid = tintor.mainRect().adjusted(-16, -16, 16, 16);
    QList<QPoint> points;
    for (const QPoint at : {output.logical.topLeft() + QPoint(37, 21), output.logical.center(),
                            output.logical.bottomRight() - QPoint(45, 63)}) {
        if (!avoid.contains(at)) {
            points << at;
        }
    }
    return points;
}

void tst_WaylandLive::follows() {
    SwayTintor tintor(Chosen);
    QVERIFY(start(tintor));
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        for (const QPoint at : clearPoints(tintor, output)) {
            const Rgb expected = pointAt(at);
            QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(expected), 5000);
        }
    }
    // The pointer on no stream: nothing is shown rather than the last pixels.
    QVERIFY(m_producer->command("cursor -1"));
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(m_blank), 5000);
}

void tst_WaylandLive::livePick() {
    SwayTintor tintor(Chosen);
    QVERIFY(start(tintor));
    tintor.pressPick();
    QTRY_VERIFY_WITH_TIMEOUT(tintor.shown("Tintor live screen") > 0, 5000);
    const QPoint at = clearPoints(tintor, m_outputs.back()).back();
    const Rgb expected = pointAt(at);
    QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(expected), 5000);
    QVERIFY(m_pointer.click(Qt::LeftButton));
    QTRY_COMPARE_WITH_TIMEOUT(tintor.title(), MainTitle, 5000);
    QCOMPARE(tintor.shown("Tintor live screen"), 0);
    QCOMPARE(hex(tintor.swatch()), hex(expected));
    // No screenshot was asked for.
    QVERIFY(m_portal->waitForLine("call Screenshot", 0).isEmpty());
}

void tst_WaylandLive::ends_data() {
    QTest::addColumn<QByteArray>("end");
    QTest::newRow("the desktop closes the session") << QByteArray("close");
    QTest::newRow("the stream ends") << QByteArray("end 0");
}

// Back to Tintor's own windows, with the message, and the choice stored as off.
void tst_WaylandLive::ends() {
    QFETCH(QByteArray, end);
    SwayTintor tintor(Chosen);
    QVERIFY(start(tintor));
    const Rgb expected = pointAt(clearPoints(tintor, m_outputs.front()).front());
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(expected), 5000);
    QVERIFY(end == "close" ? m_portal->closeSession() : m_producer->command(end));
    QTRY_COMPARE_WITH_TIMEOUT(tintor.shown(QStringLiteral("MessageForm")), 1, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(m_blank), 5000);
    QCOMPARE(
        tintor.settings(),
        "{\"FollowEverywhere\": false, \"Method\": 0, \"ScreenCastToken\": \"fake-token-1\"}\n");
}

QTEST_GUILESS_MAIN(tst_WaylandLive)
#include "tst_waylandlive.moc"
