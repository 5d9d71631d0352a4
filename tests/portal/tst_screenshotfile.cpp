// The file a screenshot answer names, which a buggy or hostile portal may choose: which are
// read, which refused, which removed.
#include "PortalFiles.h"

#include "ScreenshotFile.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;

class tst_ScreenshotFile : public QObject {
    Q_OBJECT

private slots:
    void files_data();
    void files();
};

void tst_ScreenshotFile::files_data() {
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

void tst_ScreenshotFile::files() {
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

QTEST_GUILESS_MAIN(tst_ScreenshotFile)
#include "tst_screenshotfile.moc"
