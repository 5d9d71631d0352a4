// Several Tintors at once: writers that race, writers killed anywhere, and the lock that
// serialises them, which is stale only when its owner is gone.

#include "SettingsTestFiles.h"

#include <QCoreApplication>
#include <QJsonValue>
#include <QLockFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

namespace {

const QByteArray Foreign = R"("Colour": "red", "Later": {"x": [1, 2]})";

// The file parses completely, keeps the foreign members and holds one of `values`.
bool holdsOneOf(const QString& path, std::initializer_list<int> values) {
    const QJsonObject object = jsonOf(path);
    const QJsonValue method = object.value("Method");
    return object.value("Colour") == QJsonValue("red") &&
           std::find(values.begin(), values.end(), method.toInt(-1)) != values.end();
}

} // namespace

class SettingsWritersTest : public SettingsTestCase {
    Q_OBJECT
private slots:
    void init();
    void concurrentWritersNeverBreakTheFile();
    void killedWriterLeavesOldOrNewFile();
    void liveOwnersLockIsWaitedFor();
    void liveOwnersOldLockIsNotBroken();
    void deadOwnersLockIsTakenOver_data();
    void deadOwnersLockIsTakenOver();
};

void SettingsWritersTest::init() {
    SettingsTestCase::init();
    QVERIFY(writeAll(m_path, "{" + Foreign + R"(, "Method": 0})"));
}

void SettingsWritersTest::concurrentWritersNeverBreakTheFile() {
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
}

void SettingsWritersTest::killedWriterLeavesOldOrNewFile() {
    for (int round = 0; round < 20; ++round) {
        QProcess writer;
        writer.start(QStringLiteral(SETTINGS_WRITER), {m_path, "1", "2", "0"});
        QVERIFY(writer.waitForStarted());
        QThread::msleep(5 + QRandomGenerator::global()->bounded(40));
        writer.kill(); // SIGKILL, wherever it is
        writer.waitForFinished();
        QVERIFY2(holdsOneOf(m_path, {0, 1, 2}), readAll(m_path).constData());
    }
    // Neither the lock nor a temporary left by a killed writer outlives the next write.
    SettingsStore store(m_path);
    QVERIFY(store.write(Settings::Method, 3));
    QVERIFY(holdsOneOf(m_path, {3}));
    QCOMPARE(entriesOf(QFileInfo(m_path).absolutePath()).join(' '), QString("settings.json"));
}

// 1.0 broke a lock older than a second, while a write may take longer.
void SettingsWritersTest::liveOwnersLockIsWaitedFor() {
    QProcess holder;
    holder.start(QStringLiteral(SETTINGS_WRITER), {"--hold", m_path, "1500", "7"});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    SettingsStore store(m_path);
    QVERIFY(store.write(Settings::Method, 1)); // only once the holder has written its 7
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(holder.exitCode(), 0);
    QCOMPARE(jsonOf(m_path).value("Method"), QJsonValue(1));
}

// A lock file whose owner is alive is never stale for its age alone.
void SettingsWritersTest::liveOwnersOldLockIsNotBroken() {
    const QString lockPath = m_path + ".lock";
    QProcess holder;
    holder.start(QStringLiteral(SETTINGS_WRITER), {"--hold", m_path, "60000", "7"});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine(), QByteArray("locked\n"));
    // However old the lock looks, its owner still holds it.
    QFile lockFile(lockPath);
    QVERIFY(lockFile.open(QIODevice::ReadWrite));
    QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                                 QFileDevice::FileModificationTime));
    lockFile.close();
    const QByteArray before = readAll(m_path);
    SettingsLogCapture log;
    SettingsStore store(m_path);
    QVERIFY(!store.write(Settings::Method, 1));
    QVERIFY(QFileInfo::exists(lockPath));
    QCOMPARE(readAll(m_path), before);
    QCOMPARE(log.lines.size(), 1);
    QVERIFY2(log.lines[0].contains(QString::number(holder.processId())), qPrintable(log.lines[0]));
    holder.kill();
    QVERIFY(holder.waitForFinished());
}

void SettingsWritersTest::deadOwnersLockIsTakenOver_data() {
    QTest::addColumn<int>("how");
    QTest::newRow("owner killed while writing") << 0;
    // Before QLockFile could record the owner: an empty lock file that no one holds.
    QTest::newRow("owner killed while creating it") << 1;
    // The recorded owner's id now belongs to a live process (here, this test itself), as
    // happens once ids wrap around; no one holds the lock.
    QTest::newRow("owner's id taken over") << 2;
    // Killed while breaking a stale lock: QLockFile's .rmlock, of no live owner, is left.
    QTest::newRow("a breaker's .rmlock left") << 3;
}

namespace {

// A lock file as QLockFile writes it, naming `pid`, that no one holds, two seconds old.
bool writeUnheldLock(const QString& path, qint64 pid) {
    const QByteArray info =
        QByteArray::number(pid) + '\n' + QCoreApplication::applicationName().toUtf8() + '\n' +
        QSysInfo::machineHostName().toUtf8() + '\n' + QSysInfo::machineUniqueId() + '\n';
    QFile lockFile(path);
    return writeAll(path, info) && lockFile.open(QIODevice::ReadWrite) &&
           lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-2),
                                QFileDevice::FileModificationTime);
}

} // namespace

void SettingsWritersTest::deadOwnersLockIsTakenOver() {
    QFETCH(int, how);
    const QString lockPath = m_path + ".lock";
    if (how == 1) {
        QVERIFY(writeAll(lockPath, {}));
        QFile lockFile(lockPath);
        QVERIFY(lockFile.open(QIODevice::ReadWrite));
        QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-2),
                                     QFileDevice::FileModificationTime));
    } else if (how >= 2) {
        QVERIFY(writeUnheldLock(lockPath + (how == 3 ? ".rmlock" : ""),
                                QCoreApplication::applicationPid()));
    } else {
        QProcess holder;
        holder.start(QStringLiteral(SETTINGS_WRITER), {"--hold", m_path, "60000", "7"});
        QVERIFY(holder.waitForReadyRead(10000));
        holder.kill();
        QVERIFY(holder.waitForFinished());
    }
    QVERIFY(QFileInfo::exists(lockPath + (how == 3 ? ".rmlock" : "")));
    SettingsStore store(m_path);
    QVERIFY(store.write(Settings::Method, 2));
    QVERIFY(holdsOneOf(m_path, {2}));
    QCOMPARE(entriesOf(QFileInfo(m_path).absolutePath()).join(' '), QString("settings.json"));
}

QTEST_GUILESS_MAIN(SettingsWritersTest)
#include "tst_settingswriters.moc"
