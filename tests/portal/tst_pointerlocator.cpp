// Where the pointer is while the screen is cast, from Xwayland's and the streams' reports
// replayed in milliseconds on a clock of the test's own.
#include "PointerLocator.h"

#include <QTest>

namespace {

using Clock = PointerLocator::Clock;

// The monitors of a row, their places on the screen and their pictures.
enum class Desk {
    SideBySide, // the second smaller, placed as GNOME places them
    Twins,      // of one shape, so placed by a guess, as KDE's are
    Scaled,     // the first scaled by 2: half its pixels on the screen
};

// Each stream's place on the screen and its picture's size.
std::vector<CastLayout::Monitor> monitors(Desk desk) {
    switch (desk) {
    case Desk::SideBySide:
        return {{QRect(0, 0, 1280, 800), {1280, 800}}, {QRect(1280, 0, 1024, 768), {1024, 768}}};
    case Desk::Twins:
        return {{QRect(0, 0, 1280, 800), {1280, 800}}, {QRect(1280, 0, 1280, 800), {1280, 800}}};
    case Desk::Scaled:
        break;
    }
    return {{QRect(0, 0, 640, 400), {1280, 800}}, {QRect(640, 0, 1280, 800), {1280, 800}}};
}

// One thing that happens at `ms`: a report, or the follower's question.
struct Step {
    enum Kind { Xwayland, Stream, Over, Away } kind;
    int ms = 0;
    int stamp = 0;            // Xwayland: the server's time; Stream: when the stream saw it
    int stream = 0;           // Stream
    std::optional<QPoint> at; // Stream: its pixel (nothing: it left); Over, Away: Xwayland's
};

// The X server's clock runs ahead of the test's by this much.
constexpr int serverAhead = 5000;

// Xwayland sees the pointer move at `ms`, delivered `late` milliseconds after.
Step moved(int ms, int late = 0) {
    return {Step::Xwayland, ms + late, ms + serverAhead, 0, {}};
}
// The server's own time, for a clock that wraps.
Step movedAtServerTime(int ms, int server) {
    return {Step::Xwayland, ms, server, 0, {}};
}
Step seen(int ms, int stream, std::optional<QPoint> at, int stamp = -1) {
    return {Step::Stream, ms, stamp < 0 ? ms : stamp, stream, at};
}
// Where is the pointer, Xwayland having it at `at` over Tintor's window (Over) or not (Away)?
Step over(int ms, QPoint at) {
    return {Step::Over, ms, 0, 0, at};
}
Step away(int ms, QPoint at = {}) {
    return {Step::Away, ms, 0, 0, at};
}

QString text(const std::optional<ScreenCast::Place>& place, bool givenUp) {
    if (givenUp) {
        return QStringLiteral("given up");
    }
    if (!place) {
        return QStringLiteral("not known");
    }
    return QStringLiteral("%1,%2 on %3 at %4,%5")
        .arg(place->screen.x())
        .arg(place->screen.y())
        .arg(place->pixel.stream)
        .arg(place->pixel.pixel.x())
        .arg(place->pixel.pixel.y());
}

} // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Desk)

class tst_PointerLocator : public QObject {
    Q_OBJECT

private slots:
    void place_data();
    void place();
};

void tst_PointerLocator::place_data() {
    QTest::addColumn<Desk>("desk");
    QTest::addColumn<QList<Step>>("steps");
    QTest::addColumn<QString>("answer"); // to the last question
    const Desk side = Desk::SideBySide;
    const QPoint inside(100, 100); // in Tintor's window
    const QPoint out(900, 500);
    QTest::newRow("over Tintor's window: Xwayland's place, within a pixel of the cast's")
        << side << QList{moved(0), seen(5, 0, inside), over(10, inside + QPoint(1, 0))}
        << "101,100 on 0 at 101,100";
    QTest::newRow("over Tintor's window before any stream reports: Xwayland's place")
        << side << QList{moved(0), over(10, inside)} << "100,100 on 0 at 100,100";
    QTest::newRow("elsewhere: the stream that saw it last")
        << side << QList{seen(0, 0, inside), seen(20, 1, QPoint(10, 10)), away(30)}
        << "1290,10 on 1 at 10,10";
    QTest::newRow("nothing reported: not known") << side << QList{away(10)} << "not known";
    QTest::newRow("the pointer left every stream: not known")
        << side << QList{seen(0, 0, inside), seen(20, 0, std::nullopt), away(30)} << "not known";
    QTest::newRow("a jump out of Tintor's window: the cast, which saw it move since")
        << side << QList{moved(0),         seen(0, 0, inside), over(10, inside),
                         seen(40, 0, out), over(50, inside),   over(700, inside)}
        << "900,500 on 0 at 900,500";
    QTest::newRow("a stream a frame behind Xwayland: Xwayland believed")
        << side << QList{seen(0, 0, inside), moved(40), over(50, QPoint(140, 100))}
        << "140,100 on 0 at 140,100";
    QTest::newRow("Xwayland's stale move, delivered late: timed by the server")
        << side << QList{moved(0),          seen(0, 0, inside), over(5, inside),
                         seen(100, 0, out), moved(50, 150),     over(210, inside)}
        << "900,500 on 0 at 900,500";
    QTest::newRow("the quickest delivery times the server's clock")
        << side << QList{moved(0, 100), moved(200), seen(250, 0, out), over(260, inside)}
        << "900,500 on 0 at 900,500";
    QTest::newRow("the server's clock wraps: its moves timed afresh")
        << side
        << QList{movedAtServerTime(0, -300), seen(500, 0, out), movedAtServerTime(1000, 100),
                 over(1010, inside)}
        << "100,100 on 0 at 100,100";
    const QList<Step> disagreeing{moved(0), seen(0, 0, out), over(10, inside)};
    QTest::newRow("disagreeing for less than half a second: Xwayland believed")
        << side << disagreeing + QList{over(509, inside)} << "100,100 on 0 at 100,100";
    QTest::newRow("disagreeing for half a second: given up")
        << side << disagreeing + QList{over(510, inside)} << "given up";
    QTest::newRow("disagreeing at a new place: the half second starts again")
        << side
        << disagreeing + QList{moved(300), over(300, inside + QPoint(20, 0)),
                               over(700, inside + QPoint(20, 0))}
        << "120,100 on 0 at 120,100";
    QTest::newRow("agreeing in between: the half second starts again")
        << side << disagreeing + QList{seen(300, 0, inside), over(310, inside), seen(320, 0, out),
                                       moved(330),           over(340, inside), over(700, inside)}
        << "100,100 on 0 at 100,100";
    QTest::newRow("the shared edge: the monitor under the hot spot")
        << side << QList{seen(0, 0, QPoint(1280, 440)), seen(5, 1, QPoint(0, 440)), away(10)}
        << "1280,440 on 1 at 0,440";
    QTest::newRow("one stream lagging the other: the newer report")
        << side << QList{seen(0, 1, QPoint(0, 440)), seen(30, 0, QPoint(1279, 440)), away(40)}
        << "1279,440 on 0 at 1279,440";
    QTest::newRow("reports out of order: an older one is no news")
        << side << QList{seen(100, 0, out), seen(110, 0, inside, 60), away(120)}
        << "900,500 on 0 at 900,500";
    const QList<Step> crossed{moved(0), seen(0, 1, QPoint(5, 5)), over(10, QPoint(1285, 5))};
    QTest::newRow("identical monitors: not read until crossed")
        << Desk::Twins << QList{seen(0, 1, QPoint(5, 5)), away(10)} << "not known";
    QTest::newRow("identical monitors: read once crossed")
        << Desk::Twins << crossed + QList{seen(20, 1, QPoint(600, 300)), away(30)}
        << "1880,300 on 1 at 600,300";
    QTest::newRow("identical monitors: the other not until crossed too")
        << Desk::Twins << crossed + QList{seen(20, 0, QPoint(5, 5)), away(30)} << "not known";
    QTest::newRow("identical monitors: one not crossed does not outrank Xwayland")
        << Desk::Twins
        << QList{moved(0), seen(0, 0, inside), over(10, inside), seen(40, 1, QPoint(600, 300)),
                 over(50, inside)}
        << "100,100 on 0 at 100,100";
    QTest::newRow("scaled by 2: read in its own pixels")
        << Desk::Scaled << QList{seen(0, 0, QPoint(1279, 799)), away(10)}
        << "639,399 on 0 at 1279,799";
    QTest::newRow("scaled by 2, over Tintor's window: the pixel under Xwayland's place")
        << Desk::Scaled << QList{moved(0), seen(0, 0, QPoint(1279, 799)), over(10, {639, 399})}
        << "639,399 on 0 at 1278,798";
}

void tst_PointerLocator::place() {
    QFETCH(Desk, desk);
    QFETCH(QList<Step>, steps);
    QFETCH(QString, answer);
    const Clock::time_point start(std::chrono::hours(1));
    Clock::time_point now = start;
    PointerLocator locator([&now] { return now; });
    locator.reset(std::vector<bool>(2, desk != Desk::Twins));
    locator.setLayout(CastLayout(monitors(desk)));
    QString last;
    for (const Step& step : std::as_const(steps)) {
        now = start + std::chrono::milliseconds(step.ms);
        switch (step.kind) {
        case Step::Xwayland:
            // The server's 32-bit milliseconds.
            locator.xwaylandMoved(std::chrono::milliseconds(quint32(step.stamp)));
            break;
        case Step::Stream:
            locator.streamReported(step.stream, step.at,
                                   start + std::chrono::milliseconds(step.stamp));
            break;
        case Step::Over:
        case Step::Away: {
            const auto place =
                locator.placeUnder(step.at.value_or(QPoint()), step.kind == Step::Over);
            last = text(place, locator.hasGivenUp());
        }
        }
    }
    QCOMPARE(last, answer);
}

QTEST_GUILESS_MAIN(tst_PointerLocator)
#include "tst_pointerlocator.moc"
