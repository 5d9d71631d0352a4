// The portal client against a fake portal on a private bus: what each kind of answer
// becomes, how long an answer is waited for, that requests left behind are closed and their
// late answers ignored, and when the screen cast may be showing the desktop's dialog.
#include "FakePortalProcess.h"
#include "PortalFiles.h"
#include "PrivateBus.h"

#include "ColourPickerPortal.h"
#include "PortalCapture.h"
#include "ScreenCastSession.h"
#include "ScreenshotPortal.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <memory>

using namespace std::chrono_literals;
using Kind = DesktopCapture::Refusal;

namespace {

constexpr auto callTimeout = 300ms;

// The picture, or the failure of kind `error` (-1: none).
void verifyOutcome(const QSignalSpy& images, const QSignalSpy& failures, int error) {
    if (error < 0) {
        QCOMPARE(images.count(), 1);
        QCOMPARE(images.first().first().value<QImage>().convertToFormat(QImage::Format_RGB32),
                 pattern());
    } else {
        QCOMPARE(failures.first().first().value<Kind>(), Kind(error));
    }
}

} // namespace

class tst_Portal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void screenshotAnswers_data();
    void screenshotAnswers();
    void pickColourAnswers_data();
    void pickColourAnswers();
    void pendingRequestClosedAndItsAnswerIgnored_data();
    void pendingRequestClosedAndItsAnswerIgnored();
    void desktopColourAfterScreenshot_data();
    void desktopColourAfterScreenshot();
    void screenCastWaitsForTheDesktop_data();
    void screenCastWaitsForTheDesktop();

private:
    std::unique_ptr<FakePortalProcess> startFake(const QStringList& arguments) {
        return std::make_unique<FakePortalProcess>(arguments, m_bus->connection(),
                                                   m_bus->address());
    }

    std::unique_ptr<PrivateBus> m_bus;
};

void tst_Portal::initTestCase() {
    m_bus = std::make_unique<PrivateBus>();
    QVERIFY2(m_bus->isRunning(), "no private dbus-daemon");
}

void tst_Portal::screenshotAnswers_data() {
    QTest::addColumn<QStringList>("arguments"); // %file names the file; empty: no portal
    QTest::addColumn<QString>("file");          // "fresh": a picture; empty: none
    QTest::addColumn<bool>("late");             // answered after the limit on the call
    QTest::addColumn<int>("error");             // -1: the image arrives

    const QStringList ok{"--screenshot", "ok:%file"};
    const int image = -1;
    const int failed = int(Kind::Failed);
    QTest::newRow("its own file: read") << ok << "fresh" << false << image;
    QTest::newRow("answered when the user is done: waited for") << ok << "fresh" << true << image;
    QTest::newRow("answer on a path the portal chose")
        << (ok + QStringList{"--other-handle"}) << "fresh" << false << image;
    QTest::newRow("not an image: fails") << ok << "junk" << false << failed;
    QTest::newRow("refused") << QStringList{"--screenshot", "refuse"} << "" << true
                             << int(Kind::Refused);
    QTest::newRow("ended otherwise")
        << QStringList{"--screenshot", "fail"} << "" << false << failed;
    QTest::newRow("call never taken: timed out and closed")
        << QStringList{"--screenshot", "unanswered"} << "" << false << int(Kind::TimedOut);
    QTest::newRow("no such method")
        << QStringList{"--screenshot", "missing"} << "" << false << int(Kind::Unavailable);
    QTest::newRow("no portal") << QStringList{} << "" << false << int(Kind::Unavailable);
}

void tst_Portal::screenshotAnswers() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(bool, late);
    QFETCH(int, error);
    QTemporaryDir home;
    const QString path = home.filePath("Pictures/shot.png");
    QVERIFY(QDir(home.path()).mkdir("Pictures"));
    std::unique_ptr<FakePortalProcess> fake;
    if (!arguments.isEmpty()) {
        fake = startFake(arguments.replaceInStrings("%file", path) << "--held");
        QVERIFY(fake->isReady());
    }

    ScreenshotPortal portal(m_bus->connection());
    portal.setCallTimeout(callTimeout);
    QSignalSpy images(&portal, &ScreenshotPortal::imageReady);
    QSignalSpy failures(&portal, &ScreenshotPortal::failed);
    portal.request();
    QVERIFY(portal.isBusy());
    const bool called = fake && !arguments.contains("missing");
    const QString call = called ? fake->waitForCall("Screenshot") : QString();
    QCOMPARE(call.isEmpty(), !called);
    if (late) {
        // The user reads the desktop's dialog for several times the limit on the call.
        QTest::qWait(int(4 * callTimeout.count()));
        QVERIFY(portal.isBusy());
        QCOMPARE(images.count() + failures.count(), 0);
    }
    QVERIFY(file.isEmpty() || makeFile(file, QFile::encodeName(path)));
    if (!call.isEmpty() && !arguments.contains("unanswered")) {
        QVERIFY(fake->answer());
    }
    QTRY_COMPARE(images.count() + failures.count(), 1);
    QVERIFY(!portal.isBusy());
    verifyOutcome(images, failures, error);
    if (error == int(Kind::TimedOut)) {
        QCOMPARE(fake->waitForLine("closed "), "closed " + call.section(' ', 2));
    }
}

void tst_Portal::pickColourAnswers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("error"); // -1: the colour arrives

    QTest::newRow("pure red") << "ok:1,0,0" << QColor(255, 0, 0) << -1;
    QTest::newRow("halves round up, the rest to nearest")
        << "ok:0.5,0.25,0.998" << QColor(128, 64, 254) << -1;
    QTest::newRow("out of range clamps") << "ok:-0.2,1.5,0.002" << QColor(0, 255, 1) << -1;
    QTest::newRow("refused") << "refuse" << QColor() << int(Kind::Refused);
    QTest::newRow("call never taken") << "unanswered" << QColor() << int(Kind::TimedOut);
    QTest::newRow("no such method") << "missing" << QColor() << int(Kind::Unavailable);
}

void tst_Portal::pickColourAnswers() {
    QFETCH(QString, answer);
    QFETCH(QColor, colour);
    QFETCH(int, error);

    const auto fake = startFake({"--pick-colour", answer});
    QVERIFY(fake->isReady());
    ColourPickerPortal portal(m_bus->connection());
    portal.setCallTimeout(callTimeout);
    QSignalSpy colours(&portal, &ColourPickerPortal::colourPicked);
    QSignalSpy failures(&portal, &ColourPickerPortal::failed);
    portal.request();
    QTRY_COMPARE(colours.count() + failures.count(), 1);
    if (error < 0) {
        QCOMPARE(colours.count(), 1);
        QCOMPARE(colours.first().first().value<QColor>(), colour);
    } else {
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.first().first().value<Kind>(), Kind(error));
    }
}

void tst_Portal::pendingRequestClosedAndItsAnswerIgnored_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("how");
    QTest::newRow("screenshot cancelled") << "Screenshot"
                                          << "cancel";
    QTest::newRow("colour pick cancelled") << "PickColor"
                                           << "cancel";
    QTest::newRow("picker destroyed") << "PickColor"
                                      << "destroy";
    QTest::newRow("screenshot replaced by a new one") << "Screenshot"
                                                      << "again";
}

// The desktops' pickers take no notice of Close and answer all the same, later.
void tst_Portal::pendingRequestClosedAndItsAnswerIgnored() {
    QFETCH(QString, method);
    QFETCH(QString, how);
    QTemporaryDir dir;
    const QString picture = dir.filePath("shot.png");
    QVERIFY(makeFile("fresh", QFile::encodeName(picture)));
    const auto fake =
        startFake({"--screenshot", "ok:" + picture, "--pick-colour", "ok:1,0,0", "--held"});
    QVERIFY(fake->isReady());
    auto picker = std::make_unique<PortalCapture>(m_bus->connection());
    QSignalSpy screenshots(picker.get(), &DesktopCapture::screenshotTaken);
    QSignalSpy colours(picker.get(), &DesktopCapture::colourPicked);
    QSignalSpy failures(picker.get(), &DesktopCapture::failed);
    method == "Screenshot" ? picker->takeScreenshot() : picker->pickColour();
    const QString call = fake->waitForCall(method);
    QVERIFY(!call.isEmpty());

    if (how == "destroy") {
        picker.reset();
    } else if (how == "cancel") {
        picker->cancel();
    } else {
        picker->takeScreenshot();
    }
    QCOMPARE(fake->waitForLine("closed "), "closed " + call.section(' ', 2));
    QVERIFY(fake->answer());
    if (picker) {
        // Only the request still asked for counts.
        QTRY_COMPARE(screenshots.count(), how == "again" ? 1 : 0);
        QCOMPARE(colours.count() + failures.count(), 0);
    }
}

void tst_Portal::desktopColourAfterScreenshot_data() {
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<bool>("asked");
    QTest::newRow("refused: the desktop's picker is asked") << "refuse" << true;
    QTest::newRow("call never taken: it is not") << "unanswered" << false;
    QTest::newRow("ended otherwise, the dialog perhaps still up: it is not") << "fail" << false;
}

// A picker asked while the portal may yet take up a lapsed screenshot call could come up
// over its dialog and take the user's click on it as the colour.
void tst_Portal::desktopColourAfterScreenshot() {
    QFETCH(QString, screenshot);
    QFETCH(bool, asked);
    const auto fake = startFake({"--screenshot", screenshot, "--pick-colour", "ok:0,1,0"});
    QVERIFY(fake->isReady());
    PortalCapture picker(m_bus->connection());
    picker.setCallTimeout(callTimeout);
    QSignalSpy colours(&picker, &DesktopCapture::colourPicked);
    QSignalSpy failures(&picker, &DesktopCapture::failed);
    picker.takeScreenshot();
    QTRY_COMPARE(failures.count(), 1);
    picker.pickColour();
    QTRY_COMPARE(colours.count() + failures.count(), 2);
    QCOMPARE(colours.count(), asked ? 1 : 0);
    QVERIFY(fake->sync());
    QCOMPARE(fake->waitForLine("call PickColor ", 0).isEmpty(), !asked);
}

void tst_Portal::screenCastWaitsForTheDesktop_data() {
    QTest::addColumn<QString>("end"); // of the dialog: "share", "refuse", or Tintor's "close"
    QTest::newRow("shared after a long look at the dialog") << "share";
    QTest::newRow("refused in the dialog") << "refuse";
    QTest::newRow("turned off meanwhile") << "close";
}

// With a token the desktop may take its time over the sources, and the user over Start's
// dialog: neither is given up on nor asked twice, and only Start may be asking the user.
void tst_Portal::screenCastWaitsForTheDesktop() {
    QFETCH(QString, end);
    const auto fake = startFake({"--cast-held", "--cast-streams", "7@0,0,4x4",
                                 end == "refuse" ? "--cast-refuse" : "--held"});
    QVERIFY(fake->isReady());
    ScreenCastSession portal(m_bus->connection());
    portal.setCallTimeout(callTimeout);
    QSignalSpy asking(&portal, &ScreenCastSession::askingUserChanged);
    QSignalSpy opened(&portal, &ScreenCastSession::opened);
    QSignalSpy failures(&portal, &ScreenCastSession::failed);
    portal.open("stored");
    for (const QString method : {"SelectSources", "Start"}) {
        QVERIFY(QTest::qWaitFor([&] { return !fake->waitForLine("held " + method, 0).isEmpty(); }));
        QTest::qWait(int(4 * callTimeout.count()));
        QCOMPARE(failures.count() + asking.count(), method == "Start" ? 1 : 0);
        QVERIFY(end == "close" && method == "Start" ? (portal.close(), true) : fake->answer());
    }
    QTRY_COMPARE(opened.count() + failures.count(), end == "close" ? 0 : 1);
    QCOMPARE(opened.count(), int(end == "share"));
    QCOMPARE(asking, QList<QVariantList>({{true}, {false}}));
    QVERIFY(fake->sync() && fake->waitForLine("held SelectSources", 0).isEmpty());
}

QTEST_GUILESS_MAIN(tst_Portal)
#include "tst_portal.moc"
