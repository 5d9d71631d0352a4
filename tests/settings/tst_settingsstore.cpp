// The settings file at start-up: what the start-up read makes of every kind of stored
// document, what it leaves on disk and on the log.  Permission cases bind only an
// unprivileged user; CTest runs the table a second time as one when it runs as root.

#include "SettingsTestFiles.h"

#include <sys/stat.h>
#include <utime.h>

namespace {

// What is there before start-up: the file, and for the last four, at its lock's path (a
// FIFO at .rmlock beside a stale lock).
enum class Before { NoFile, File, Dir, Unreadable, FifoLock, DirLock, UnreadableLock, FifoRmlock };

} // namespace

Q_DECLARE_METATYPE(Before)

class SettingsStoreTest : public SettingsTestCase {
    Q_OBJECT
private slots:
    void startupRead_data();
    void startupRead();
};

namespace {

const QByteArray Zero = R"({"Method": 0})";

// Files that hold a JSON object: read as they are, or repaired in place without a word.
void addDocumentRows() {
    const auto unchanged = [](const char* tag, const QByteArray& json, int method) {
        QTest::newRow(tag) << Before::File << json << method << QByteArray() << QString() << false
                           << false;
    };
    const auto repaired = [](const char* tag, const QByteArray& json, const QByteArray& after) {
        QTest::newRow(tag) << Before::File << json << 0 << after << QString() << false << false;
    };
    repaired("empty file", "", Zero);
    unchanged("0", R"({"Method": 0})", 0);
    unchanged("3", R"({"Method": 3})", 3);
    unchanged("255", R"({"Method": 255})", 255);
    unchanged("256 has low byte 0", R"({"Method": 256})", 0);
    unchanged("258 keeps low byte, stays stored", R"({"Method": 258})", 2);
    unchanged("4294967295", R"({"Method": 4294967295})", 255);
    unchanged("1e3 is 1000", R"({"Method": 1e3})", 1000 & 0xFF);
    unchanged("3.0 is whole", R"({"Method": 3.0})", 3);
    unchanged("duplicate key: the last counts", R"({"Method": 1, "Method": 2})", 2);
    unchanged("byte-order mark", "\xEF\xBB\xBF{\"Method\": 3}", 3);
    repaired("4294967296", R"({"Method": 4294967296})", Zero);
    repaired("-1", R"({"Method": -1})", Zero);
    repaired("2.5", R"({"Method": 2.5})", Zero);
    repaired("string \"3\"", R"({"Method": "3", "Other": [1, "x"]})",
             R"({"Method": 0, "Other": [1, "x"]})");
    repaired("true", R"({"Method": true})", Zero);
    repaired("null", R"({"Method": null})", Zero);
    repaired("array", R"({"Method": [3]})", Zero);
    repaired("object", R"({"Method": {"value": 3}})", Zero);
    repaired("missing, other members kept", R"({"Colour": "red"})",
             R"({"Colour": "red", "Method": 0})");
    repaired("name in another case", R"({"method": 3})", R"({"method": 3, "Method": 0})");
}

} // namespace

void SettingsStoreTest::startupRead_data() {
    QTest::addColumn<Before>("kind");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("method");
    QTest::addColumn<QByteArray>("after"); // empty: the file is unchanged
    QTest::addColumn<QString>("logged");   // part of the one log line; empty: no line
    QTest::addColumn<bool>("kept");        // the bytes are kept in settings.json.unreadable
    QTest::addColumn<bool>("problem");     // not even 0 could be stored
    QTest::newRow("no file") << Before::NoFile << QByteArray() << 0 << Zero << QString() << false
                             << false;
    addDocumentRows();
    QTest::newRow("not JSON") << Before::File << QByteArray("[Software\\Tintor]\n\"Method\"=3\n")
                              << 0 << Zero << QStringLiteral("did not parse") << true << false;
    QTest::newRow("a form feed, a vertical tab")
        << Before::File << QByteArray("\f\v") << 0 << Zero << QStringLiteral("did not parse")
        << true << false;
    QTest::newRow("nested 1025 deep, beyond Qt's parser")
        << Before::File
        << "{\"Method\": 3, \"x\": " + QByteArray(1024, '[') + QByteArray(1024, ']') + "}" << 0
        << Zero << QStringLiteral("did not parse") << true << false;
    QTest::newRow("a JSON array") << Before::File << QByteArray("[3]") << 0 << Zero
                                  << QStringLiteral("not a JSON object") << true << false;
    QTest::newRow("directory in the way") << Before::Dir << QByteArray() << 0 << QByteArray()
                                          << QStringLiteral(": it is a directory") << false << true;
    QTest::newRow("unreadable file")
        << Before::Unreadable << QByteArray(R"({"Method": 3})") << 0 << QByteArray()
        << QStringLiteral(": permission denied") << false << true;
    // QLockFile would block on a FIFO, and wait out its time on the others.
    const QByteArray noMethod = R"({"Colour": "red"})";
    QTest::newRow("FIFO at the lock") << Before::FifoLock << noMethod << 0 << QByteArray()
                                      << QStringLiteral(".lock is a FIFO") << false << true;
    QTest::newRow("directory at the lock")
        << Before::DirLock << noMethod << 0 << QByteArray()
        << QStringLiteral(".lock is a directory") << false << true;
    QTest::newRow("FIFO at .lock.rmlock")
        << Before::FifoRmlock << noMethod << 0 << QByteArray()
        << QStringLiteral(".lock.rmlock is a FIFO") << false << true;
    QTest::newRow("unreadable lock") << Before::UnreadableLock << noMethod << 0 << QByteArray()
                                     << QStringLiteral(".lock cannot be read") << false << true;
    QTest::newRow("too large") << Before::File
                               << QByteArray("{\"Method\": 3" + QByteArray(2 << 20, ' ') + "}") << 0
                               << QByteArray() << QStringLiteral("too large") << false << true;
}

void SettingsStoreTest::startupRead() {
    QFETCH(Before, kind);
    QFETCH(QByteArray, before);
    QFETCH(int, method);
    QFETCH(QByteArray, after);
    QFETCH(QString, logged);
    QFETCH(bool, kept);
    QFETCH(bool, problem);
    if ((kind == Before::Unreadable || kind == Before::UnreadableLock) && runsAsRoot()) {
        QSKIP("permissions do not bind root; the unprivileged run covers this");
    }
    if (kind == Before::Dir) {
        QVERIFY(QDir().mkpath(m_path));
    } else if (kind != Before::NoFile) {
        QVERIFY(writeAll(m_path, before));
    }
    const QString lock = m_path + ".lock";
    if (kind == Before::Unreadable || kind == Before::UnreadableLock) {
        const QString& unreadable = kind == Before::UnreadableLock ? lock : m_path;
        QVERIFY(kind == Before::Unreadable || writeAll(lock, "1\n"));
        QVERIFY(QFile::setPermissions(unreadable, QFileDevice::WriteOwner));
    }
    QVERIFY(kind != Before::FifoLock || ::mkfifo(QFile::encodeName(lock).constData(), 0600) == 0);
    QVERIFY(kind != Before::DirLock || QDir().mkpath(lock));
    // An hour old, the lock is stale: QLockFile takes its .rmlock to break it.
    const utimbuf hourAgo{::time(nullptr) - 3600, ::time(nullptr) - 3600};
    QVERIFY(kind != Before::FifoRmlock ||
            (writeAll(lock, "") && ::utime(QFile::encodeName(lock).constData(), &hourAgo) == 0 &&
             ::mkfifo(QFile::encodeName(lock + ".rmlock").constData(), 0600) == 0));
    SettingsLogCapture log;
    SettingsStore store(m_path);
    const Result<void> repaired = store.repairUnreadable();
    QCOMPARE(repaired ? QString() : repaired.error(),
             problem ? "Failed to set data for 'Method'" : "");
    QCOMPARE(store.value(Settings::Method).toInteger() & 0xFF, method);
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (kind == Before::Dir) {
        QVERIFY(QFileInfo(m_path).isDir());
    } else if (after.isEmpty()) {
        QCOMPARE(readAll(m_path), before);
    } else {
        QCOMPARE(jsonOf(m_path), QJsonDocument::fromJson(after).object());
    }
    QCOMPARE(log.lines.size(), logged.isEmpty() ? 0 : 1);
    if (!logged.isEmpty()) {
        QVERIFY2(log.lines[0].contains(logged) && log.lines[0].contains("tintor/settings.json"),
                 qPrintable(log.lines[0]));
    }
    QCOMPARE(readAll(m_path + ".unreadable"), kept ? before : QByteArray("<unreadable>"));
    if (!problem) { // a fresh store reads back what is now there, with its type
        SettingsStore again(m_path);
        QCOMPARE(startupMethod(again), method);
    }
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settingsstore.moc"
