// The settings file against the registry's semantics: what the start-up read makes of
// every kind of file, and what it leaves on disk.  Permission cases bind only an
// unprivileged user; CTest runs this file a second time as one when it runs as root.

#include "core/StoredMethod.h"
#include "platform/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <QThread>

#include <algorithm>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray Foreign = "; kept as it is\r\n[Software\\Other]\r\n\"Colour\"=\"red\"\r\n\r\n";

} // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void startupRead_data();
    void startupRead();
    void unparseableFileIsKeptAside_data();
    void unparseableFileIsKeptAside();
    void directoryInTheWayGivesMethodZeroAndProblem();
    void writeChangesOnlyItsLine();
    void writeNeedsTheKey();
    void unreadableFileIsLeftAlone();
    void readOnlyDirectoryStillReads();
    void concurrentWritersNeverBreakTheFile();
    void killedWriterLeavesOldOrNewFile();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void SettingsFileTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("tintor/settings.reg"));
}

void SettingsFileTest::startupRead_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("method");
    QTest::addColumn<QByteArray>("after"); // empty: unchanged
    const QByteArray key = "[Software\\Tintor]\n";
    const QByteArray zero = "\"Method\"=dword:00000000\n";
    QTest::newRow("no file") << QByteArray() << 0 << QByteArray("[Software\\Tintor]\n" + zero);
    QTest::newRow("empty file") << QByteArray("") << 0 << QByteArray(key + zero);
    QTest::newRow("no key") << Foreign << 0 << QByteArray(Foreign + "\n" + key + zero);
    QTest::newRow("missing value") << QByteArray(key + "\"Other\"=dword:7\n") << 0
                                   << QByteArray(key + "\"Other\"=dword:7\n" + zero);
    QTest::newRow("0") << QByteArray(key + zero) << 0 << QByteArray();
    QTest::newRow("3") << QByteArray(key + "\"Method\"=dword:00000003\n") << 3 << QByteArray();
    QTest::newRow("5 stays") << QByteArray(key + "\"method\"=dword:5\n") << 5 << QByteArray();
    QTest::newRow("258 keeps low byte")
        << QByteArray(key + "\"Method\"=dword:00000102\n") << 2 << QByteArray();
    QTest::newRow("0xFFFFFFFF") << QByteArray(key + "\"Method\"=dword:ffffffff\n") << 255
                                << QByteArray();
    QTest::newRow("key in other case")
        << QByteArray("[software\\TINTOR]\n\"Method\"=dword:1\n") << 1 << QByteArray();
    QTest::newRow("last of two wins")
        << QByteArray(key + "\"Method\"=dword:1\n\"Method\"=dword:2\n") << 2 << QByteArray();
    QTest::newRow("text 2") << QByteArray(Foreign + key + "\"Method\"=\"2\"\r\n") << 0
                            << QByteArray(Foreign + key + "\"Method\"=dword:00000000\r\n");
    QTest::newRow("64-bit") << QByteArray(key + "\"Method\"=hex(b):03,00,00,00,00,00,00,00\n") << 0
                            << QByteArray(key + zero);
    QTest::newRow("4 bytes binary")
        << QByteArray(key + "\"Method\"=hex:03,00,00,00\n") << 0 << QByteArray(key + zero);
    QTest::newRow("number too long")
        << QByteArray(key + "\"Method\"=dword:123456789\n") << 0 << QByteArray(key + zero);
    QTest::newRow("long binary") << QByteArray(key + "\"Method\"=hex:03,00,\\\n  00,00,00\n") << 0
                                 << QByteArray(key + zero);
}

void SettingsFileTest::startupRead() {
    QFETCH(QByteArray, before);
    QFETCH(int, method);
    QFETCH(QByteArray, after);
    if (!before.isNull()) {
        writeAll(m_path, before);
    }
    SettingsFile store(m_path);
    const StartupMethod read = ReadStoredMethod(store);
    QCOMPARE(read.method, SamplingMethod(method));
    QVERIFY(!read.problem);
    QCOMPARE(readAll(m_path), after.isEmpty() ? before : after);
    // A fresh store reads what was written, with its type.
    SettingsFile again(m_path);
    QCOMPARE(ReadStoredMethod(again).method, SamplingMethod(method));
    QVERIFY(!QFileInfo::exists(m_path + ".unreadable"));
}

void SettingsFileTest::unparseableFileIsKeptAside_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\xff\xfe garbage");
    QTest::newRow("NUL bytes") << QByteArray("[Software\\Tintor]\n\"Method\"=dword:3\0\n", 36);
    QTest::newRow("huge") << QByteArray(3 << 20, 'x');
}

void SettingsFileTest::unparseableFileIsKeptAside() {
    QFETCH(QByteArray, before);
    writeAll(m_path, before);
    SettingsFile store(m_path);
    const StartupMethod read = ReadStoredMethod(store);
    QCOMPARE(read.method, SamplingMethod(0));
    QVERIFY(!read.problem);
    QCOMPARE(readAll(m_path + ".unreadable"), before);
    QCOMPARE(readAll(m_path), QByteArray("[Software\\Tintor]\n\"Method\"=dword:00000000\n"));
}

void SettingsFileTest::directoryInTheWayGivesMethodZeroAndProblem() {
    QVERIFY(QDir().mkpath(m_path));
    SettingsFile store(m_path);
    const StartupMethod read = ReadStoredMethod(store);
    QCOMPARE(read.method, SamplingMethod(0));
    QCOMPARE(read.problem.value_or(""), std::string("Failed to set data for 'Method'"));
    QVERIFY(QFileInfo(m_path).isDir());
}

void SettingsFileTest::writeChangesOnlyItsLine() {
    const QByteArray before = Foreign +
                              "[Software\\Tintor]\r\n; note\r\n\"METHOD\"=dword:00000001\r\n"
                              "\"Later\"=hex(2):41,00\r\n[Software\\Other]\n\"x\"=-junk\n";
    writeAll(m_path, before);
    SettingsFile store(m_path);
    StoreMethod(store, 3);
    QByteArray expected = before;
    expected.replace("\"METHOD\"=dword:00000001", "\"METHOD\"=dword:00000003");
    // The unreadable line elsewhere does not block the write, nor is it touched.
    QCOMPARE(readAll(m_path), expected);
    QCOMPARE(store.ReadDword(MethodKeyPath, MethodValueName), 3u);
}

void SettingsFileTest::writeNeedsTheKey() {
    SettingsFile store(m_path);
    QCOMPARE(ReadStoredMethod(store).method, SamplingMethod(0));
    QVERIFY(QFile::remove(m_path)); // the key goes away while the program runs
    try {
        StoreMethod(store, 2);
        QFAIL("the write succeeded without its key");
    } catch (const SettingsError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("Failed to set data for 'Method'"));
    }
    QVERIFY(!QFileInfo::exists(m_path));
    try {
        (void)store.ReadDword(MethodKeyPath, MethodValueName);
        QFAIL("read without a key");
    } catch (const SettingsError& error) {
        QCOMPARE(QString::fromUtf8(error.what()),
                 QStringLiteral("Failed to get data for 'Method'"));
    }
}

void SettingsFileTest::unreadableFileIsLeftAlone() {
    if (geteuid() == 0) {
        QSKIP("permissions do not bind root; the unprivileged run covers this");
    }
    writeAll(m_path, "[Software\\Tintor]\n\"Method\"=dword:3\n");
    QVERIFY(QFile::setPermissions(m_path, QFileDevice::WriteOwner));
    SettingsFile store(m_path);
    const StartupMethod read = ReadStoredMethod(store);
    QCOMPARE(read.method, SamplingMethod(0));
    QVERIFY(read.problem.has_value());
    QVERIFY(QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(readAll(m_path), QByteArray("[Software\\Tintor]\n\"Method\"=dword:3\n"));
}

void SettingsFileTest::readOnlyDirectoryStillReads() {
    if (geteuid() == 0) {
        QSKIP("permissions do not bind root; the unprivileged run covers this");
    }
    const QString directory = QFileInfo(m_path).absolutePath();
    writeAll(m_path, "[Software\\Tintor]\n\"Method\"=dword:2\n");
    QVERIFY(QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    SettingsFile store(m_path);
    QCOMPARE(ReadStoredMethod(store).method, SamplingMethod(2));
    QVERIFY_THROWS_EXCEPTION(SettingsError, StoreMethod(store, 3));
    QVERIFY(QFile::remove(m_path) == false);
    QCOMPARE(readAll(m_path), QByteArray("[Software\\Tintor]\n\"Method\"=dword:2\n"));
    QVERIFY(QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner));
}

namespace {

// The file parses completely and holds one of `values`.
bool holdsOneOf(const QString& path, std::initializer_list<std::uint32_t> values) {
    const QByteArray text = readAll(path);
    const auto document = Registry::Document::parse(
        std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    const Registry::DwordRead read = document.readDword(MethodKeyPath, MethodValueName);
    return document.readable() && read.status == Registry::ReadStatus::Ok &&
           std::find(values.begin(), values.end(), read.value) != values.end();
}

} // namespace

void SettingsFileTest::concurrentWritersNeverBreakTheFile() {
    writeAll(m_path, Foreign + "[Software\\Tintor]\n\"Method\"=dword:0\n");
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(SETTINGS_WRITER), {m_path, "1", "2", "300"});
    second.start(QStringLiteral(SETTINGS_WRITER), {m_path, "3", "4", "300"});
    int reads = 0;
    while (first.state() != QProcess::NotRunning || second.state() != QProcess::NotRunning) {
        QVERIFY2(holdsOneOf(m_path, {0, 1, 2, 3, 4}), readAll(m_path).constData());
        ++reads;
        first.waitForFinished(1);
        second.waitForFinished(1);
    }
    QVERIFY(reads > 0);
    QCOMPARE(first.exitCode(), 0);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(holdsOneOf(m_path, {2, 4})); // each ends on its second value
    QVERIFY(readAll(m_path).startsWith(Foreign));
}

void SettingsFileTest::killedWriterLeavesOldOrNewFile() {
    writeAll(m_path, "[Software\\Tintor]\n\"Method\"=dword:0\n");
    for (int round = 0; round < 20; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(SETTINGS_WRITER), {m_path, "1", "2", "0"});
        QVERIFY(writer.waitForStarted());
        QThread::msleep(5 + QRandomGenerator::global()->bounded(40));
        writer.kill(); // SIGKILL, wherever it is
        writer.waitForFinished();
        QVERIFY2(holdsOneOf(m_path, {0, 1, 2}), readAll(m_path).constData());
    }
    // A lock left by a killed writer does not stop the next one.
    QProcess last;
    last.start(QStringLiteral(SETTINGS_WRITER), {m_path, "3", "3", "1"});
    QVERIFY(last.waitForFinished(10000));
    QVERIFY2(last.exitCode() == 0, last.readAllStandardError().constData());
    QVERIFY(holdsOneOf(m_path, {3}));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "tst_settingsfile.moc"
