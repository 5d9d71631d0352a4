// Picks in a sway session whose desktop portal is a fake that the test sets up: the
// desktop's colour picker where the screenshot is refused, the message where both fail,
// and what becomes of the screenshot file.  Run through with-sway.sh --no-portal.
#include "SwayDesktop.h"
#include "SwayTintor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");

// The fake portal on the session bus, for as long as the object lives.
class FakePortalRun {
public:
    explicit FakePortalRun(const QStringList& arguments) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(qEnvironmentVariable("TINTOR_FAKE_PORTAL"), arguments);
        m_ready = m_process.waitForStarted() &&
                  QTest::qWaitFor([this] { return m_process.canReadLine(); }, 10000) &&
                  m_process.readLine().trimmed() == "ready";
    }
    ~FakePortalRun() {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    FakePortalRun(const FakePortalRun&) = delete;
    FakePortalRun& operator=(const FakePortalRun&) = delete;
    [[nodiscard]] bool ready() const { return m_ready; }

private:
    QProcess m_process;
    bool m_ready = false;
};

QImage halves(QSize size, QRgb left, QRgb right) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(left);
    for (int y = 0; y < size.height(); ++y) {
        std::fill_n(reinterpret_cast<QRgb*>(image.scanLine(y)) + size.width() / 2,
                    size.width() - size.width() / 2, right);
    }
    return image;
}

} // namespace

class tst_WaylandFallback : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void desktopColour_data();
    void desktopColour();
    void failureMessage_data();
    void failureMessage();
    void screenshotFile_data();
    void screenshotFile();

private:
    // One device for the whole run, as a user has one mouse.
    VirtualPointer m_pointer;
};

void tst_WaylandFallback::initTestCase() {
    QVERIFY(m_pointer.started());
}

void tst_WaylandFallback::init() {
    if (SwayDesktop::busHasOwner(Portal)) {
        QSKIP("the session has a real portal; run with with-sway.sh --no-portal");
    }
}

void tst_WaylandFallback::desktopColour_data() {
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<int>("expected"); // 0xRRGGBB
    QTest::newRow("refused") << "refuse"
                             << "ok:0.2,0.4,0.6" << 0x336699;
    QTest::newRow("missing, halves round up") << "missing"
                                              << "ok:0.5,0.999,0.001" << 0x80ff00;
    QTest::newRow("failed") << "fail"
                            << "ok:0.1,0.0,1.0" << 0x1a00ff;
}

// No screenshot: the desktop's own picker gives the colour, and the pick ends with it.
void tst_WaylandFallback::desktopColour() {
    QFETCH(QString, screenshot);
    QFETCH(QString, colour);
    QFETCH(int, expected);
    FakePortalRun portal({"--screenshot", screenshot, "--pick-colour", colour});
    QVERIFY(portal.ready());
    SwayTintor tintor;
    QVERIFY(tintor.started());
    QVERIFY(hex(tintor.swatch()) != hex(QRgb(expected)));
    tintor.pressPick();
    QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(QRgb(expected)), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(tintor.title(), MainTitle, 5000);
    QCOMPARE(tintor.shown(FrozenTitle), 0);
    QCOMPARE(tintor.shown(QStringLiteral("MessageForm")), 0);
}

void tst_WaylandFallback::failureMessage_data() {
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<QString>("colour");
    QTest::newRow("both refused") << "refuse"
                                  << "refuse";
    QTest::newRow("neither offered") << "missing"
                                     << "missing";
    QTest::newRow("both failed") << "fail"
                                 << "fail";
    QTest::newRow("refused, then failed") << "refuse"
                                          << "fail";
}

// Neither works: the pick ends with the colour it started with, and the message says so.
void tst_WaylandFallback::failureMessage() {
    QFETCH(QString, screenshot);
    QFETCH(QString, colour);
    FakePortalRun portal({"--screenshot", screenshot, "--pick-colour", colour});
    QVERIFY(portal.ready());
    SwayTintor tintor;
    QVERIFY(tintor.started());
    const Rgb before = tintor.swatch();
    tintor.pressPick();
    QTRY_COMPARE_WITH_TIMEOUT(tintor.shown(QStringLiteral("MessageForm")), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(tintor.title(), MainTitle, 5000);
    QCOMPARE(tintor.shown(FrozenTitle), 0);
    QCOMPARE(hex(tintor.swatch()), hex(before));
}

void tst_WaylandFallback::screenshotFile_data() {
    QTest::addColumn<QString>("place"); // "temporary", "outside" or "link"
    QTest::addColumn<bool>("removed");
    QTest::newRow("in a temporary directory: removed") << "temporary" << true;
    QTest::newRow("elsewhere: kept") << "outside" << false;
    QTest::newRow("a link in a temporary directory: kept, and what it names") << "link" << false;
}

// The fake portal answers with a file: its picture is what the pick reads, and it is
// removed only from a temporary directory, never through a link.
void tst_WaylandFallback::screenshotFile() {
    QFETCH(QString, place);
    QFETCH(bool, removed);
    // Outside TMPDIR, /tmp and /var/tmp, yet writable without privileges.
    const QString outsideRoot = QStringLiteral("/dev/shm");
    if (place != "temporary" && !QFileInfo(outsideRoot).isWritable()) {
        QSKIP("no directory outside the temporary ones to write to");
    }
    QTemporaryDir temporary;
    QTemporaryDir outside(outsideRoot + QStringLiteral("/tintor-test-XXXXXX"));
    QVERIFY(temporary.isValid() && (place == "temporary" || outside.isValid()));
    const QString stored = (place == "temporary" ? temporary : outside).filePath("shot.png");
    const QString given = place == "link" ? temporary.filePath("link.png") : stored;
    const QList<SwayOutput> outputs = SwayDesktop::outputs();
    QCOMPARE(outputs.size(), 1);
    const QRgb left = qRgb(240, 0, 200), right = qRgb(0, 210, 220);
    QVERIFY(halves(outputs.front().pixels(), left, right).save(stored));
    QVERIFY(given == stored || QFile::link(stored, given));

    FakePortalRun portal({"--screenshot", "ok:" + given, "--pick-colour", "refuse"});
    QVERIFY(portal.ready());
    QVERIFY(m_pointer.started());
    SwayTintor tintor;
    QVERIFY(tintor.started());
    tintor.pressPick();
    QTRY_COMPARE_WITH_TIMEOUT(tintor.shown(FrozenTitle), 1, 10000);
    const QRect main = tintor.mainRect();
    const QRect area = outputs.front().logical;
    for (const auto& [x, colour] :
         {std::pair{area.width() / 8, left}, {area.width() * 7 / 8, right}}) {
        const QPoint at(x,
                        main.top() > area.height() / 3 ? area.height() / 6 : area.height() * 5 / 6);
        QVERIFY(tintor.movePointer(m_pointer, at));
        QTRY_COMPARE_WITH_TIMEOUT(hex(tintor.swatch()), hex(colour), 5000);
    }
    QCOMPARE(QFileInfo::exists(stored), !removed);
    QCOMPARE(QFileInfo(given).isSymLink(), place == "link");
}

QTEST_GUILESS_MAIN(tst_WaylandFallback)
#include "tst_waylandfallback.moc"
