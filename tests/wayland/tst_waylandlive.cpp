// Following the pointer everywhere in a headless sway session, through the fake portal's
// ScreenCast and the test's PipeWire producer: the wiring of the follower (over other
// programs' windows on two outputs, the first scaled by 2) and of a pick from the live screen
// to the one rule for the pointer's place (tst_pointerlocator), the token that skips the
// dialog next time, and every end of the cast that turns it off.
#include "CastProducer.h"
#include "FakePortalProcess.h"
#include "SwayTintor.h"

#include <QTest>

namespace {

const QByteArray Chosen = "{\"FollowEverywhere\": true}\n";
const QByteArray Token = "fake-token-1";

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
    // The fake portal offering the producer's streams placed, as GNOME does, then Tintor
    // with the choice on; true once its cast is open, when `opens`.
    bool start(const QStringList& portal = {}, bool opens = true);
    // The pointer at `at` for the compositor and for the cast; the colour the cast shows there.
    Rgb pointAt(QPoint at);
    auto magnifier(SwayTintor& tintor) { return tintor.x().pixel(tintor.main(), 31, 32); }

    QList<SwayOutput> m_outputs;
    QList<QImage> m_pictures;
    std::unique_ptr<CastProducer> m_producer;
    std::unique_ptr<FakePortalProcess> m_portal;
    std::unique_ptr<SwayTintor> m_tintor;
    VirtualPointer m_pointer;
    std::optional<Rgb> m_blank; // the magnifier with nothing to show
};

void tst_WaylandLive::init() {
    m_tintor.reset();
    m_portal.reset();
    m_outputs = SwayDesktop::outputs();
    QList<QSize> sizes;
    m_pictures.clear();
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        sizes << output.pixels();
        m_pictures << distinctPixels(output.pixels(), int(m_pictures.size()));
    }
    m_producer = std::make_unique<CastProducer>(sizes);
    QVERIFY(m_producer->isReady() && m_pointer.started());
    QVERIFY(m_pointer.move(m_outputs.front().logical.topLeft() + QPoint(2, 2)));
}

bool tst_WaylandLive::start(const QStringList& portal, bool opens) {
    QList<QRect> places;
    for (int i = 0; i < m_outputs.size(); ++i) {
        places << m_outputs[i].logical;
        if (opens && !m_producer->show(i, m_pictures[i])) {
            return false;
        }
    }
    m_portal = std::make_unique<FakePortalProcess>(
        QStringList{"--cast-streams", m_producer->streams(places)} + portal);
    if (!m_portal->isReady()) {
        return false;
    }
    m_tintor = std::make_unique<SwayTintor>(Chosen);
    if (!m_tintor->started()) {
        return false;
    }
    m_blank = magnifier(*m_tintor);
    // Opened, it keeps the desktop's token; a number is none, and the caller waits itself.
    return m_blank &&
           (!opens || portal.contains("--cast-number-token") ||
            QTest::qWaitFor([&] { return m_tintor->settings().contains(Token); }, 10000));
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
    qFatal("(%d, %d) is on no output", at.x(), at.y()); // the tests place it on one
}

void tst_WaylandLive::follows() {
    QVERIFY(start());
    SwayTintor& tintor = *m_tintor;
    for (const SwayOutput& output : std::as_const(m_outputs)) {
        for (const QPoint at : clearPoints(output.logical, tintor.mainRect(), 3)) {
            const Rgb expected = pointAt(at);
            QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(expected), 5000);
        }
    }
    // The pointer on no stream: nothing is shown rather than the last pixels.
    QVERIFY(m_producer->cursor(-1));
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(m_blank), 5000);
    // Leaving Tintor's window in one jump leaves Xwayland its last place inside, timed by the
    // server: the cast, which saw the pointer move since, is followed.
    const Rgb inside = pointAt(tintor.mainRect().center());
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(inside), 5000);
    const QPoint away = clearPoints(m_outputs.front().logical, tintor.mainRect(), 3).front();
    QVERIFY(m_producer->cursor(0, away * m_outputs.front().scale));
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)),
                              hex(m_pictures[0].pixel(away * m_outputs.front().scale)), 5000);
    const QByteArray kept = tintor.settings();
    m_tintor.reset();
    // The next start gives the desktop the token, which skips its dialog.
    QVERIFY(m_portal->waitForLine("select").endsWith("restore_token="));
    SwayTintor again(kept);
    QVERIFY(again.started());
    QCOMPARE(m_portal->waitForLine("select"),
             "select types=1 multiple=true cursor_mode=4 persist_mode=2 restore_token=" + Token);
}

void tst_WaylandLive::livePick() {
    QVERIFY(start());
    SwayTintor& tintor = *m_tintor;
    tintor.pressPick();
    QTRY_VERIFY_WITH_TIMEOUT(tintor.shown(Title::LiveScreen) > 0, 5000);
    const QPoint at = clearPoints(m_outputs.back().logical, tintor.mainRect(), 3).back();
    const Rgb expected = pointAt(at);
    QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(expected), 5000);
    // Once X sees the pointer there, an overlay lies under it to take the click.
    QVERIFY(tintor.movePointer(m_pointer, at));
    QVERIFY(m_pointer.click(Qt::LeftButton));
    QTRY_COMPARE_WITH_TIMEOUT(tintor.title(), Title::Main, 5000);
    QCOMPARE(tintor.shown(Title::LiveScreen), 0);
    QCOMPARE(hex(tintor.swatch()), hex(expected));
    QVERIFY(m_portal->waitForLine("call Screenshot", 0).isEmpty());
}

void tst_WaylandLive::ends_data() {
    QTest::addColumn<QStringList>("portal");
    QTest::addColumn<QByteArray>("end");   // what ends an open cast; empty: it never opens
    QTest::addColumn<QByteArray>("token"); // kept in the settings
    QTest::newRow("refused in the dialog")
        << QStringList{"--cast-refuse"} << QByteArray() << QByteArray();
    QTest::newRow("no picture in time") << QStringList() << QByteArray() << QByteArray();
    QTest::newRow("a stream of no node") // PipeWire's "any node", which could be a camera
        << QStringList{"--cast-streams", "4294967295:640x480"} << QByteArray() << QByteArray();
    QTest::newRow("the desktop closes the session")
        << QStringList() << QByteArray("close") << Token;
    QTest::newRow("the stream ends") << QStringList() << QByteArray("end") << Token;
    QTest::newRow("a token that is no text")
        << QStringList{"--cast-number-token"} << QByteArray("end") << QByteArray();
    QTest::newRow("the cast shows the pointer elsewhere")
        << QStringList() << QByteArray("away") << Token;
}

// Back to Tintor's own windows, with the message, and the choice stored as off.
void tst_WaylandLive::ends() {
    QFETCH(QStringList, portal);
    QFETCH(QByteArray, end);
    QFETCH(QByteArray, token);
    QVERIFY(start(portal, !end.isEmpty()));
    SwayTintor& tintor = *m_tintor;
    const QPoint native = clearPoints(m_outputs.front().logical, tintor.mainRect(), 3).front();
    if (!end.isEmpty()) {
        QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(pointAt(native)), 5000);
    }
    if (end == "away") { // Xwayland sees the pointer move after the cast last did
        QVERIFY(tintor.movePointer(m_pointer, tintor.mainRect().center()));
    } else if (!end.isEmpty()) {
        QVERIFY(end == "end" || m_portal->closeSession());
        if (end == "end") {
            m_producer.reset();
        }
    }
    QTRY_COMPARE_WITH_TIMEOUT(tintor.shown(Title::Message), 1, 5000);
    // Two lines: that the pointer is followed only over Tintor's windows, and why.
    QCOMPARE(tintor.x().clientSize(*tintor.x().waitForTitle(Title::Message, 1000)).height(), 92);
    QVERIFY(m_pointer.move(native));
    QTRY_COMPARE_WITH_TIMEOUT(hex(magnifier(tintor)), hex(m_blank), 5000);
    const QByteArray kept = token.isEmpty() ? "" : ", \"ScreenCastToken\": \"" + token + '"';
    QCOMPARE(tintor.settings(), "{\"FollowEverywhere\": false, \"Method\": 0" + kept + "}\n");
}

QTEST_GUILESS_MAIN(tst_WaylandLive)
#include "tst_waylandlive.moc"
