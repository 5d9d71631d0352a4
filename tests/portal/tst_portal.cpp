// The portal client against a fake portal on a private bus: what each kind of answer
// becomes, what is done with the screenshot file, and that requests left behind are closed.
#include "FakePortalProcess.h"
#include "PrivateBus.h"

#include "ColourPickerPortal.h"
#include "ScreenshotFile.h"
#include "ScreenshotPortal.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace std::chrono_literals;
using Error = PortalRequest::Error;

namespace {

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

QString writeFile(const QString& dir, const QString& name, const QByteArray& data) {
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        return {};
    }
    return file.fileName();
}

QByteArray png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

} // namespace

class tst_Portal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void screenshotAnswers_data();
    void screenshotAnswers();
    void pickColourAnswers_data();
    void pickColourAnswers();
    void pendingRequestClosedWhenDropped_data();
    void pendingRequestClosedWhenDropped();
    void temporaryFiles_data();
    void temporaryFiles();

private:
    QString placeFile(QStringList& arguments) const;

    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<QTemporaryDir> m_temp; // in the temporary directory
    std::unique_ptr<QTemporaryDir> m_kept; // in the build tree, which is not
};

void tst_Portal::initTestCase() {
    m_bus = std::make_unique<PrivateBus>();
    QVERIFY2(m_bus->isRunning(), "no private dbus-daemon");
}

void tst_Portal::init() {
    m_temp =
        std::make_unique<QTemporaryDir>(QDir::temp().filePath(QStringLiteral("tintor-XXXXXX")));
    m_kept = std::make_unique<QTemporaryDir>(QStringLiteral(BUILD_DIR "/portal-XXXXXX"));
    QVERIFY(m_temp->isValid() && m_kept->isValid());
    if (ScreenshotFile::isTemporary(writeFile(m_kept->path(), QStringLiteral("probe"), "x"))) {
        QSKIP("the build tree lies in a temporary directory");
    }
}

// Writes the file that a "%temp", "%kept" or "%junk" argument names, and names it there.
QString tst_Portal::placeFile(QStringList& arguments) const {
    QString file;
    for (QString& argument : arguments) {
        if (argument.contains(QLatin1String("%temp"))) {
            file = writeFile(m_temp->path(), QStringLiteral("shot.png"), png(pattern()));
        } else if (argument.contains(QLatin1String("%kept"))) {
            file = writeFile(m_kept->path(), QStringLiteral("shot.png"), png(pattern()));
        } else if (argument.contains(QLatin1String("%junk"))) {
            file = writeFile(m_temp->path(), QStringLiteral("shot.png"), "no picture here");
        }
        argument.replace(QRegularExpression(QStringLiteral("%\\w+")), file);
    }
    return file;
}

void tst_Portal::screenshotAnswers_data() {
    QTest::addColumn<QStringList>("arguments"); // "%temp", "%kept", "%junk" name files
    QTest::addColumn<bool>("startPortal");
    QTest::addColumn<int>("error"); // -1: the image arrives
    QTest::addColumn<bool>("fileLeft");
    QTest::addColumn<bool>("closed");

    const int image = -1;
    QTest::newRow("temporary file: read, then removed")
        << QStringList{"--screenshot", "ok:%temp"} << true << image << false << false;
    QTest::newRow("file elsewhere: read, left alone")
        << QStringList{"--screenshot", "ok:%kept"} << true << image << true << false;
    QTest::newRow("answer on a path the portal chose")
        << QStringList{"--screenshot", "ok:%temp", "--other-handle"} << true << image << false
        << false;
    QTest::newRow("not an image: fails, still removed")
        << QStringList{"--screenshot", "ok:%junk"} << true << int(Error::BadAnswer) << false
        << false;
    QTest::newRow("refused") << QStringList{"--screenshot", "refuse"} << true << int(Error::Refused)
                             << true << false;
    QTest::newRow("ended otherwise")
        << QStringList{"--screenshot", "fail"} << true << int(Error::Failed) << true << false;
    QTest::newRow("silent: timed out and closed")
        << QStringList{"--screenshot", "silent"} << true << int(Error::TimedOut) << true << true;
    QTest::newRow("no such method") << QStringList{"--screenshot", "missing"} << true
                                    << int(Error::Unavailable) << true << false;
    QTest::newRow("no portal") << QStringList{} << false << int(Error::Unavailable) << true
                               << false;
}

void tst_Portal::screenshotAnswers() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, startPortal);
    QFETCH(int, error);
    QFETCH(bool, fileLeft);
    QFETCH(bool, closed);

    const QImage expected = pattern();
    const QString file = placeFile(arguments);
    std::unique_ptr<FakePortalProcess> fake;
    if (startPortal) {
        fake = std::make_unique<FakePortalProcess>(*m_bus, arguments);
        QVERIFY(fake->isReady());
    }

    ScreenshotPortal portal(m_bus->connection());
    portal.setTimeout(300ms);
    QSignalSpy images(&portal, &ScreenshotPortal::imageReady);
    QSignalSpy failures(&portal, &ScreenshotPortal::failed);
    portal.request();
    QVERIFY(portal.isBusy());
    QTRY_COMPARE(images.count() + failures.count(), 1);
    QVERIFY(!portal.isBusy());

    if (error < 0) {
        QCOMPARE(images.count(), 1);
        QCOMPARE(images.first().first().value<QImage>().convertToFormat(QImage::Format_RGB32),
                 expected);
    } else {
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.first().first().value<Error>(), Error(error));
    }
    if (!file.isEmpty()) {
        QCOMPARE(QFile::exists(file), fileLeft);
    }
    if (closed) {
        const QString call = fake->waitForLine(QStringLiteral("call Screenshot "));
        QVERIFY(!call.isEmpty());
        QCOMPARE(fake->waitForLine(QStringLiteral("closed ")),
                 QStringLiteral("closed ") + call.section(' ', 2));
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
    QTest::newRow("refused") << "refuse" << QColor() << int(Error::Refused);
    QTest::newRow("silent") << "silent" << QColor() << int(Error::TimedOut);
    QTest::newRow("no such method") << "missing" << QColor() << int(Error::Unavailable);
}

void tst_Portal::pickColourAnswers() {
    QFETCH(QString, answer);
    QFETCH(QColor, colour);
    QFETCH(int, error);

    FakePortalProcess fake(*m_bus, {QStringLiteral("--pick-colour"), answer});
    QVERIFY(fake.isReady());
    ColourPickerPortal portal(m_bus->connection());
    portal.setTimeout(300ms);
    QSignalSpy colours(&portal, &ColourPickerPortal::colourPicked);
    QSignalSpy failures(&portal, &ColourPickerPortal::failed);
    portal.request();
    QTRY_COMPARE(colours.count() + failures.count(), 1);
    if (error < 0) {
        QCOMPARE(colours.count(), 1);
        QCOMPARE(colours.first().first().value<QColor>(), colour);
    } else {
        QCOMPARE(failures.count(), 1);
        QCOMPARE(failures.first().first().value<Error>(), Error(error));
    }
}

void tst_Portal::pendingRequestClosedWhenDropped_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("client destroyed") << "destroy";
    QTest::newRow("cancelled") << "cancel";
    QTest::newRow("replaced by a new request") << "again";
}

void tst_Portal::pendingRequestClosedWhenDropped() {
    QFETCH(QString, how);
    FakePortalProcess fake(*m_bus, {QStringLiteral("--screenshot"), QStringLiteral("silent")});
    QVERIFY(fake.isReady());
    auto portal = std::make_unique<ScreenshotPortal>(m_bus->connection());
    QSignalSpy failures(portal.get(), &ScreenshotPortal::failed);
    portal->request();
    const QString call = fake.waitForLine(QStringLiteral("call Screenshot "));
    QVERIFY(!call.isEmpty());

    if (how == QLatin1String("destroy")) {
        portal.reset();
    } else if (how == QLatin1String("cancel")) {
        portal->cancel();
        QVERIFY(!portal->isBusy());
    } else {
        portal->request();
        QVERIFY(portal->isBusy());
    }
    QCOMPARE(fake.waitForLine(QStringLiteral("closed ")),
             QStringLiteral("closed ") + call.section(' ', 2));
    if (portal) {
        QCOMPARE(failures.count(), 0); // dropping is not a failure
    }
}

void tst_Portal::temporaryFiles_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("temporary");
    QTest::newRow("file in the temporary directory") << "temp/file" << true;
    QTest::newRow("file below it") << "temp/sub/file" << true;
    QTest::newRow("link there to a file there") << "temp/link" << false;
    QTest::newRow("directory there") << "temp/sub" << false;
    QTest::newRow("missing file there") << "temp/none" << false;
    QTest::newRow("file elsewhere") << "kept/file" << false;
}

void tst_Portal::temporaryFiles() {
    QFETCH(QString, where);
    QFETCH(bool, temporary);
    for (QTemporaryDir* dir : {m_temp.get(), m_kept.get()}) {
        QVERIFY(QDir(dir->path()).mkpath(QStringLiteral("sub")));
        QVERIFY(!writeFile(dir->path(), QStringLiteral("file"), "x").isEmpty());
        QVERIFY(!writeFile(dir->filePath(QStringLiteral("sub")), QStringLiteral("file"), "x")
                     .isEmpty());
    }
    QVERIFY(QFile::link(m_temp->filePath(QStringLiteral("file")),
                        m_temp->filePath(QStringLiteral("link"))));
    const QString path = where.replace(QLatin1String("temp/"), m_temp->path() + '/')
                             .replace(QLatin1String("kept/"), m_kept->path() + '/');
    QCOMPARE(ScreenshotFile::isTemporary(path), temporary);
}

QTEST_GUILESS_MAIN(tst_Portal)
#include "tst_portal.moc"
