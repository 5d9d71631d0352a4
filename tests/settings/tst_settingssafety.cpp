// What the settings store must never do: write through a link to something that is not
// its settings, create anything outside its folder, lose a member it does not know, leave
// temporaries behind, copy the same unreadable file again and again, or claim a write that
// failed.  The cases where permissions matter are in tst_settingspermissions.

#include "SettingsTestFiles.h"

#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

class SettingsSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void linkToSettingsIsWrittenThrough();
    void otherLinksAreReplacedNotFollowed_data();
    void otherLinksAreReplacedNotFollowed();
    void anotherUsersLinkIsNotFollowed_data();
    void anotherUsersLinkIsNotFollowed();
    void earlierSettingsLinks_data();
    void earlierSettingsLinks();
    void foreignMembersSurviveRepairAndWrite();
    void staleTemporariesGoAtNextWrite();
    void unparseableFileCopiedOncePerContent();

private:
    [[nodiscard]] QString folder() const { return QFileInfo(m_path).absolutePath(); }

    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_outside; // stands for the rest of the file system
};

void SettingsSafetyTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_outside = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("tintor/settings.json"));
    QVERIFY(QDir().mkpath(folder()));
}

// Dotfile managers keep the file elsewhere and link it into ~/.config.
void SettingsSafetyTest::linkToSettingsIsWrittenThrough() {
    const QString target = m_outside->filePath(QStringLiteral("tintor.json"));
    QVERIFY(writeAll(target, R"({"Method": 1, "Kept": "yes"})"));
    QVERIFY(QFile::link(target, m_path));
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), 1);
    QVERIFY(store.write(Settings::Method, 3));
    QVERIFY(isLink(m_path));
    QCOMPARE(jsonOf(target), QJsonObject({{"Method", 3}, {"Kept", "yes"}}));
    QCOMPARE(entriesOf(m_outside->path()), QStringList{"tintor.json"});
}

void SettingsSafetyTest::otherLinksAreReplacedNotFollowed_data() {
    QTest::addColumn<QString>("target");      // in the outside folder
    QTest::addColumn<QByteArray>("contents"); // null: nothing there
    QTest::newRow("dangling") << QStringLiteral("missing") << QByteArray();
    QTest::newRow("to a private file") << QStringLiteral("shadow") << QByteArray("root:$6$x:1::\n");
    QTest::newRow("to a JSON array") << QStringLiteral("list.json") << QByteArray("[1, 2]");
    QTest::newRow("to a large file") << QStringLiteral("big") << QByteArray(3 << 20, 'x');
    QTest::newRow("to a directory") << QStringLiteral("folder") << QByteArray("<dir>");
    QTest::newRow("to a FIFO") << QStringLiteral("fifo") << QByteArray("<fifo>");
}

void SettingsSafetyTest::otherLinksAreReplacedNotFollowed() {
    QFETCH(QString, target);
    QFETCH(QByteArray, contents);
    const QString at = m_outside->filePath(target);
    if (contents == "<dir>") {
        QVERIFY(QDir().mkpath(at));
    } else if (contents == "<fifo>") {
        QCOMPARE(::mkfifo(QFile::encodeName(at).constData(), 0600), 0);
    } else if (!contents.isNull()) {
        QVERIFY(writeAll(at, contents));
    }
    const QStringList outside = entriesOf(m_outside->path());
    QVERIFY(QFile::link(at, m_path));
    SettingsLogCapture log;
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), 0);
    QVERIFY(!isLink(m_path));
    QCOMPARE(jsonOf(m_path), QJsonObject({{"Method", 0}}));
    QCOMPARE(entriesOf(m_outside->path()), outside); // nothing created out there
    if (!contents.startsWith('<') && !contents.isNull()) {
        QCOMPARE(readAll(at), contents);
    }
    QVERIFY(!QFileInfo::exists(m_path + ".unreadable")); // no copy of someone's file here
    QCOMPARE(log.lines.size(), 1);
    QVERIFY2(log.lines[0].contains("replaced the link"), qPrintable(log.lines[0]));
}

void SettingsSafetyTest::anotherUsersLinkIsNotFollowed_data() {
    QTest::addColumn<bool>("targetIsTheirs"); // or else the link is
    // In a shared folder, another user's link must not steer our writes (nor root's).
    QTest::newRow("their link is replaced") << false;
    // Writing through would give their file to us; world-writable, it may be written only
    // as it is, which an atomic write cannot do.
    QTest::newRow("a link to their file fails") << true;
}

void SettingsSafetyTest::anotherUsersLinkIsNotFollowed() {
    QFETCH(bool, targetIsTheirs);
    if (!runsAsRoot()) {
        QSKIP("only root can give a file to another user");
    }
    const QByteArray theirs = R"({"Method": 2, "Secret": 1})";
    const QString target = m_outside->filePath(QStringLiteral("theirs.json"));
    QVERIFY(writeAll(target, theirs));
    QVERIFY(QFile::setPermissions(target, QFileDevice::Permissions(0x666)));
    QVERIFY(QFile::link(target, m_path));
    const QString owned = targetIsTheirs ? target : m_path;
    QCOMPARE(::lchown(QFile::encodeName(owned).constData(), 65534, 65534), 0);
    SettingsLogCapture log;
    SettingsStore store(m_path);
    QCOMPARE(store.write(Settings::Method, 1).ok(), !targetIsTheirs);
    QCOMPARE(isLink(m_path), targetIsTheirs);
    QCOMPARE(readAll(target), theirs);
    QCOMPARE(jsonOf(m_path), targetIsTheirs ? jsonOf(target) : QJsonObject({{"Method", 1}}));
    QCOMPARE(log.lines.size(), 1);
    QVERIFY2(log.lines[0].contains(targetIsTheirs ? "settings.json: it is a link to " : "replaced"),
             qPrintable(log.lines[0]));
}

void SettingsSafetyTest::earlierSettingsLinks_data() {
    QTest::addColumn<QByteArray>("contents"); // of the link's target; null: none
    QTest::addColumn<int>("method");
    QTest::newRow("to 1.0's file") << QByteArray("[Software\\Tintor]\n\"Method\"=dword:3\n") << 3;
    QTest::newRow("dangling") << QByteArray() << 0;
    QTest::newRow("to a FIFO") << QByteArray("<fifo>") << 0;
}

void SettingsSafetyTest::earlierSettingsLinks() {
    QFETCH(QByteArray, contents);
    QFETCH(int, method);
    const QString target = m_outside->filePath(QStringLiteral("settings.reg"));
    if (contents == "<fifo>") {
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    } else if (!contents.isNull()) {
        QVERIFY(writeAll(target, contents));
    }
    const QStringList outside = entriesOf(m_outside->path());
    QVERIFY(QFile::link(target, m_dir->filePath(QStringLiteral("tintor/settings.reg"))));
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), method); // and no wait on the FIFO
    QCOMPARE(jsonOf(m_path), QJsonObject({{"Method", method}}));
    QVERIFY(!isLink(m_path));
    QCOMPARE(entriesOf(m_outside->path()), outside);
    if (!contents.startsWith('<') && !contents.isNull()) {
        QCOMPARE(readAll(target), contents);
    }
}

namespace {

QJsonValue randomValue(QRandomGenerator& random, int depth);

QString randomKey(QRandomGenerator& random) {
    static const QStringList pieces = {
        "a",          "Z",       "method", "METHOD", " ", "\"", "\\", "\u00e9", "\u00c9\u00e9n",
        "\U0001F3A8", "Method ", "0",      "\n",     ""};
    QString key;
    for (int n = int(random.bounded(4)); n >= 0; --n) {
        key += pieces[int(random.bounded(pieces.size()))];
    }
    return key == "Method" ? key + "!" : key;
}

QJsonValue randomScalar(QRandomGenerator& random) {
    switch (random.bounded(6)) {
    case 0:
        return QJsonValue();
    case 1:
        return random.bounded(2) == 1;
    case 2:
        return qint64(random.generate64() >> random.bounded(64)) - (qint64(1) << 31);
    case 3:
        return random.generateDouble() * 1e6 - 5e5;
    case 4:
        return randomKey(random);
    default:
        return QStringLiteral("[Software\\Tintor]\n\"Method\"=dword:3\\");
    }
}

QJsonValue randomValue(QRandomGenerator& random, int depth) {
    const int kind = depth > 2 ? 0 : int(random.bounded(4));
    if (kind == 1) {
        QJsonArray array;
        for (int n = int(random.bounded(4)); n > 0; --n) {
            array.append(randomValue(random, depth + 1));
        }
        return array;
    }
    if (kind == 2) {
        QJsonObject object;
        for (int n = int(random.bounded(4)); n > 0; --n) {
            object.insert(randomKey(random), randomValue(random, depth + 1));
        }
        return object;
    }
    return randomScalar(random);
}

QJsonObject withoutMethod(QJsonObject object) {
    object.remove(QStringLiteral("Method"));
    return object;
}

} // namespace

// A member Tintor does not know may be the user's, or a later version's.
void SettingsSafetyTest::foreignMembersSurviveRepairAndWrite() {
    QRandomGenerator random(20240611); // fixed: a failure can be replayed
    for (int round = 0; round < 300; ++round) {
        QJsonObject document;
        for (int n = int(random.bounded(6)); n > 0; --n) {
            document.insert(randomKey(random), randomValue(random, 0));
        }
        if (random.bounded(4) != 0) { // often a method, of any type, sometimes none
            document.insert(QStringLiteral("Method"), random.bounded(2)
                                                          ? QJsonValue(qint64(random.bounded(300)))
                                                          : randomValue(random, 1));
        }
        const auto format = random.bounded(2) ? QJsonDocument::Compact : QJsonDocument::Indented;
        const QByteArray text =
            (random.bounded(5) == 0 ? QByteArray("\xEF\xBB\xBF") : QByteArray()) +
            QJsonDocument(document).toJson(format);
        QVERIFY(writeAll(m_path, text));
        SettingsStore store(m_path);
        (void)startupMethod(store);
        QVERIFY2(withoutMethod(jsonOf(m_path)) == withoutMethod(document), text.constData());
        const auto chosen = std::uint8_t(random.bounded(4));
        QVERIFY(store.write(Settings::Method, chosen));
        const QJsonObject after = jsonOf(m_path);
        QVERIFY2(withoutMethod(after) == withoutMethod(document), text.constData());
        QCOMPARE(after.value("Method"), QJsonValue(chosen));
    }
}

// A writer killed between creating its temporary and renaming it leaves the temporary.
void SettingsSafetyTest::staleTemporariesGoAtNextWrite() {
    const QString live = QString::number(::getpid());
    // The last one's writer is alive, but no write takes a minute.
    const QStringList stale = {"settings.json.tmp-999999999-Ab12Cd",
                               "settings.json.tmp-999999997-zzzzzz",
                               "settings.json.tmp-" + live + "-Oldaaa"};
    // Files that only look alike are the user's, and a live writer's temporary its own.
    const QStringList users = {"settings.json.backup",
                               "settings.json.tmp-keep-me",
                               "settings.json.tmp-Ab12Cd",
                               "notes.tmp-999999999-Ab12Cd",
                               "settings.json.tmp-" + live + "-Ab12Cd",
                               "settings.json.tmp-9-other",
                               "settings.json.tmp-999999999-Ab12Cd\n"};
    for (const QString& name : stale + users) {
        QVERIFY(writeAll(m_dir->filePath("tintor/" + name), R"({"Method": 1)"));
    }
    const utimbuf epoch{};
    QCOMPARE(::utime(QFile::encodeName(m_dir->filePath("tintor/" + stale.last())), &epoch), 0);
    QStringList expected = users + QStringList{"settings.json"};
    if (runsAsRoot()) { // another user's file is never ours to remove
        expected << "settings.json.tmp-999999998-Ab12Cd";
        const QString theirs = m_dir->filePath("tintor/" + expected.last());
        QVERIFY(writeAll(theirs, "theirs") &&
                ::chown(QFile::encodeName(theirs), 65534, 65534) == 0);
    }
    SettingsStore store(m_path);
    QVERIFY(store.write(Settings::Method, 1));
    expected.sort();
    QCOMPARE(entriesOf(folder()), expected);
}

void SettingsSafetyTest::unparseableFileCopiedOncePerContent() {
    // Someone else's dangling link on the first copy's name is not followed.
    const QString outside = m_outside->filePath(QStringLiteral("planted"));
    QVERIFY(QFile::link(outside, m_path + ".unreadable"));
    const QByteArray first = "Method = 3\n";
    const QByteArray second = "{\"Method\": 3,}";
    const auto start = [&](const QByteArray& contents) {
        SettingsLogCapture log;
        if (!writeAll(m_path, contents)) {
            return QStringList{"cannot write the test file"};
        }
        SettingsStore store(m_path);
        (void)startupMethod(store);
        return log.lines;
    };
    const QStringList firstLog = start(first);
    QCOMPARE(readAll(m_path + ".unreadable-2"), first);
    // The same bytes again (a sync tool put the file back): no second copy.
    const QStringList againLog = start(first);
    QVERIFY(!QFileInfo::exists(m_path + ".unreadable-3"));
    QCOMPARE(againLog.size(), 1);
    QVERIFY2(againLog[0].contains("settings.json.unreadable-2"), qPrintable(againLog[0]));
    start(second);
    QCOMPARE(readAll(m_path + ".unreadable-3"), second);
    QCOMPARE(jsonOf(m_path), QJsonObject({{"Method", 0}}));
    QVERIFY(!QFileInfo::exists(outside));
    QCOMPARE(firstLog.size(), 1);
}

QTEST_GUILESS_MAIN(SettingsSafetyTest)
#include "tst_settingssafety.moc"
