// The screen cast against the fake portal's ScreenCast and a PipeWire producer of the test
// in a headless sway session: where the streams show the pointer and what they read there,
// on one output and on two with the first scaled by 2; and every way a cast ends.
#include "CastProducer.h"
#include "FakePortalProcess.h"
#include "SwayDesktop.h"

#include "PortalScreenCast.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

namespace {

// Every pixel its own colour, and every stream its own pictures.
QImage distinct(QSize size, int stream) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, (x >> 8) << 5 | (y >> 8) << 2 | stream));
        }
    }
    return image;
}

} // namespace

class tst_ScreenCast : public QObject {
    Q_OBJECT

private slots:
    void init();
    void follows_data();
    void follows();
    void ends_data();
    void ends();

private:
    // The producer, the fake portal offering its streams, and a cast opened on them.
    bool open(const QStringList& portalArguments, bool placed = true, bool pictures = true);

    QList<SwayOutput> m_outputs;
    QList<QImage> m_pictures;
    std::unique_ptr<CastProducer> m_producer;
    std::unique_ptr<FakePortalProcess> m_portal;
    std::unique_ptr<PortalScreenCast> m_cast;
};

void tst_ScreenCast::init() {
    m_cast.reset();
    m_portal.reset();
    m_outputs = SwayDesktop::outputs();
    QList<QSize> sizes;
    m_pictures.clear();
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        sizes << output.pixels();
        m_pictures << distinct(output.pixels(), int(m_pictures.size()));
    }
    m_producer = std::make_unique<CastProducer>(sizes);
    QVERIFY(m_producer->isReady());
}

bool tst_ScreenCast::open(const QStringList& portalArguments, bool placed, bool pictures) {
    QList<QRect> places;
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        places << (placed ? output.logical : QRect());
    }
    m_portal = std::make_unique<FakePortalProcess>(
        QStringList{"--cast-streams", m_producer->streams(placed ? places : QList<QRect>())} +
        portalArguments);
    for (int i = 0; pictures && i < m_pictures.size(); ++i) {
        if (!m_producer->show(i, m_pictures[i])) {
            return false;
        }
    }
    m_cast = std::make_unique<PortalScreenCast>();
    QSignalSpy known(m_cast.get(), &ScreenCast::offerKnown);
    if (!m_portal->isReady() || !known.wait(5000)) {
        return false;
    }
    m_cast->open(QString());
    return true;
}

void tst_ScreenCast::follows_data() {
    QTest::addColumn<bool>("placed");
    QTest::newRow("placed, as GNOME does") << true;
    QTest::newRow("sizes only, as KDE does") << false;
}

void tst_ScreenCast::follows() {
    QFETCH(bool, placed);
    QVERIFY(open({}, placed));
    QSignalSpy opened(m_cast.get(), &ScreenCast::opened);
    QVERIFY(opened.wait(5000));
    QCOMPARE(opened.first().first().toString(), "fake-token-1");
    QCOMPARE(m_portal->waitForLine("select"),
             "select types=1 multiple=true cursor_mode=4 persist_mode=2 restore_token=");
    const std::unique_ptr<ScreenReader> reader = m_cast->screenReader();
    for (int i = 0; i < m_outputs.size(); ++i) {
        const SwayOutput& output = m_outputs[i];
        bool first = true;
        for (const QPoint at : {output.logical.center(), output.logical.topLeft() + QPoint(3, 7)}) {
            const QPoint pixel = ((at - output.logical.topLeft()) * output.scale);
            QVERIFY(m_producer->cursor(i, pixel));
            // A guessed place counts once the pointer's true place confirms it.
            if (!placed && m_outputs.size() > 1 && std::exchange(first, false)) {
                QTest::qWait(100);
                QVERIFY(!m_cast->pointer());
                m_cast->confirmPlace(at);
            }
            QTRY_VERIFY(m_cast->pointer() && m_cast->pointer()->screen == at);
            QCOMPARE(hex(reader->pixel(m_cast->pointer()->frame)), hex(m_pictures[i].pixel(pixel)));
            QCOMPARE(m_cast->toFrame(at), m_cast->pointer()->frame);
        }
    }
    QVERIFY(m_producer->command("cursor -1"));
    QTRY_VERIFY(!m_cast->pointer());
    // Closed, then opened again with the token: the desktop is asked to skip its dialog.
    m_cast->close();
    QCOMPARE(m_portal->waitForLine("closed session"), "closed session");
    m_cast->open("fake-token-1");
    QVERIFY(opened.wait(5000));
    QVERIFY(m_portal->waitForLine("select").endsWith("restore_token=fake-token-1"));
}

void tst_ScreenCast::ends_data() {
    QTest::addColumn<QStringList>("portal");
    QTest::addColumn<QByteArray>("then");
    QTest::addColumn<int>("failure"); // -1: the desktop closed the session
    using F = ScreenCast::Failure;
    QTest::newRow("no pointer as metadata")
        << QStringList{"--cast-modes", "3"} << QByteArray() << int(F::Unavailable);
    QTest::newRow("refused") << QStringList{"--cast-refuse"} << QByteArray() << int(F::Refused);
    QTest::newRow("no frames") << QStringList() << QByteArray("none") << int(F::NoFrames);
    QTest::newRow("stream ends") << QStringList() << QByteArray("end 0") << int(F::StreamFailed);
    QTest::newRow("closed by the desktop") << QStringList() << QByteArray("close") << -1;
    QTest::newRow("place disagrees")
        << QStringList() << QByteArray("elsewhere") << int(F::PlaceMismatch);
}

void tst_ScreenCast::ends() {
    QFETCH(QStringList, portal);
    QFETCH(QByteArray, then);
    QFETCH(int, failure);
    QVERIFY(open(portal, true, then != "none"));
    if (failure == int(ScreenCast::Failure::Unavailable)) {
        QVERIFY(!m_cast->isOffered());
        return;
    }
    QVERIFY(m_cast->isOffered());
    QSignalSpy failed(m_cast.get(), &ScreenCast::failed);
    QSignalSpy closed(m_cast.get(), &ScreenCast::closedByDesktop);
    if (!then.isEmpty() && then != "none") {
        QSignalSpy opened(m_cast.get(), &ScreenCast::opened);
        QVERIFY(opened.wait(5000));
        if (then == "close") {
            QVERIFY(m_portal->closeSession());
        } else if (then == "elsewhere") {
            QVERIFY(m_producer->cursor(0, {10, 10}));
            for (int tick = 0; tick < 10 && failed.isEmpty(); ++tick) {
                m_cast->confirmPlace(m_outputs[0].logical.center());
                QTest::qWait(50);
            }
        } else {
            QVERIFY(m_producer->command(then));
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(failed.size() + closed.size() > 0, 5000);
    if (failure < 0) {
        QCOMPARE(closed.size(), 1);
    } else {
        QCOMPARE(failed.first().first().value<ScreenCast::Failure>(), ScreenCast::Failure(failure));
    }
    QVERIFY(!m_cast->isOpen());
    QVERIFY(!m_cast->pointer());
}

QTEST_MAIN(tst_ScreenCast)
#include "tst_screencast.moc"
