// The portal client against a fake portal on a private bus: what each kind of answer
// becomes, how long an answer is waited for, which screenshot files are read and removed,
// that requests left behind are closed and their late answers ignored, and when the screen
// cast may be showing the desktop's dialog.
#include "FakePortalProcess.h"
#include "PrivateBus.h"

#include "ColourPickerPortal.h"
#include "PortalCapture.h"
#include "ScreenCastSession.h"
#include "ScreenshotPortal.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace std::chrono_literals;
using Kind = DesktopCapture::Refusal;

namespace {

constexpr auto callTimeout = 300ms;

// Seven by five pixels, each its own colour: a decoded image shows any mix-up.
QImage pattern() {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 36, y * 60, 255 - x * y * 5));
        }
    }
    return image;
}

QByteArray png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// At a name in the file system's own bytes, which need not be UTF-8.
bool writeAt(const QByteArray& path, const QByteArray& data) {
    QFile file;
    return file.open(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
                     QIODevice::WriteOnly, QFile::AutoCloseHandle) &&
           file.write(data) == data.size();
}

// Makes the file a row names, as the portal would once asked; Qt's limit is 1 MB.
bool makeFile(const QString& kind, const QByteArray& path) {
    if (kind == "fifo") {
        return mkfifo(path.constData(), 0600) == 0;
    }
    if (kind == "link") {
        return writeAt(path + ".png", png(pattern())) &&
               ::symlink((path + ".png").constData(), path.constData()) == 0;
    }
    const qint64 size = kind == "huge"        ? qint64(3) << 30
                        : kind == "limit"     ? 1 << 20
                        : kind == "overLimit" ? (1 << 20) + 1
                                              : 0;
    if (!writeAt(path, kind == "junk" ? QByteArray("no picture here") : png(pattern())) ||
        (size > 0 && ::truncate(path.constData(), size) != 0)) {
        return false;
    }
    if (kind == "twoLinks") {
        return ::link(path.constData(), (path + ".2").constData()) == 0;
    }
    return kind != "foreign" || ::chown(path.constData(), 65534, 65534) == 0;
}

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
    void screenshotFiles_data();
    void screenshotFiles();
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

// The file a screenshot answer names, which a buggy or hostile portal may choose.
void tst_Portal::screenshotFiles_data() {
    QTest::addColumn<QString>("kind");    // of shot.png (shot-\xFF.png), see makeFile()
    QTest::addColumn<QString>("uri");     // %1: the folder, which is the working one too
    QTest::addColumn<QString>("refused"); // part of the failure; empty: the picture is read
    QTest::addColumn<bool>("kept");
    const QString shot = QStringLiteral("file://%1/shot.png");
    QTest::newRow("its own: read, removed, no warning") << "fresh" << shot << "" << false;
    QTest::newRow("older than the request: kept") << "old" << shot << "" << true;
    QTest::newRow("another user's: kept") << "foreign" << shot << "" << true;
    QTest::newRow("with a second link: kept") << "twoLinks" << shot << "" << true;
    QTest::newRow("a folder it may not change: warned") << "readOnly" << shot << "" << true;
    QTest::newRow("not an image") << "junk" << shot << "not an image" << true;
    QTest::newRow("a link") << "link" << shot << "symbolic links" << true;
    QTest::newRow("a FIFO, at once") << "fifo" << shot << "not a regular file" << true;
    QTest::newRow("/dev/zero") << "" << QStringLiteral("file:///dev/zero") << "not a regular file"
                               << true;
    QTest::newRow("3 GB, unread") << "huge" << shot << "too large" << true;
    QTest::newRow("the size limit exactly") << "limit" << shot << "" << false;
    QTest::newRow("a byte more") << "overLimit" << shot << "too large" << true;
    QTest::newRow("growing while read")
        << "" << QStringLiteral("file:///proc/kallsyms") << "grew" << true;
    QTest::newRow("a name not UTF-8: its own bytes")
        << "notUtf8" << QStringLiteral("file://%1/shot-%FF.png") << "" << false;
    QTest::newRow("relative") << "fresh" << QStringLiteral("file:shot.png") << "not a local file"
                              << true;
}

void tst_Portal::screenshotFiles() {
    QFETCH(QString, kind);
    QFETCH(QString, uri);
    QFETCH(QString, refused);
    QFETCH(bool, kept);
    if ((kind == "foreign" && geteuid() != 0) || (kind == "readOnly" && geteuid() == 0)) {
        QSKIP("only root can give a file away, and permissions do not bind root");
    }
    QTemporaryDir dir;
    const QByteArray file =
        QFile::encodeName(dir.path()) + (kind == "notUtf8" ? "/shot-\xFF.png" : "/shot.png");
    QVERIFY(kind.isEmpty() || makeFile(kind, file));
    QVERIFY(kind != "readOnly" || ::chmod(QFile::encodeName(dir.path()).constData(), 0500) == 0);
    const QString working = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QImageReader::setAllocationLimit(1);
    if (kind == "readOnly") {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot remove the screenshot"));
    } else {
        QTest::failOnWarning(QRegularExpression("cannot remove"));
    }
    const auto asked = kind == "old" ? ScreenshotFile::now() + 1s : ScreenshotFile::Stamp();
    const Result<QImage> image = ScreenshotFile::take(QUrl(uri.replace("%1", dir.path())), asked);
    QImageReader::setAllocationLimit(128);
    QDir::setCurrent(working);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    QVERIFY2(image ? refused.isEmpty() && image->convertToFormat(QImage::Format_RGB32) == pattern()
                   : image.error().contains(refused) && !refused.isEmpty(),
             qPrintable(image ? QString() : image.error()));
    QVERIFY(kind.isEmpty() || (::access(file.constData(), F_OK) == 0) == kept);
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
    QVERIFY(writeAt(QFile::encodeName(picture), png(pattern())));
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
