// The settings store and links: one to the settings file is written through; any other, or
// another user's, is replaced rather than followed; one in 1.0's place is read, never waited on.

#include "SettingsTestFiles.h"

#include <sys/stat.h>
#include <unistd.h>

class SettingsLinksTest : public SettingsTestCase {
    Q_OBJECT
private slots:
    void linkToSettingsIsWrittenThrough();
    void otherLinksAreReplacedNotFollowed_data();
    void otherLinksAreReplacedNotFollowed();
    void anotherUsersLinkIsNotFollowed_data();
    void anotherUsersLinkIsNotFollowed();
    void earlierSettingsLinks_data();
    void earlierSettingsLinks();

private:
    [[nodiscard]] bool makesFolder() const override { return true; }
};

// Dotfile managers keep the file elsewhere and link it into ~/.config.
void SettingsLinksTest::linkToSettingsIsWrittenThrough() {
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

void SettingsLinksTest::otherLinksAreReplacedNotFollowed_data() {
    QTest::addColumn<QString>("target");      // in the outside folder
    QTest::addColumn<QByteArray>("contents"); // null: nothing there
    QTest::newRow("dangling") << QStringLiteral("missing") << QByteArray();
    QTest::newRow("to a private file") << QStringLiteral("shadow") << QByteArray("root:$6$x:1::\n");
    QTest::newRow("to a JSON array") << QStringLiteral("list.json") << QByteArray("[1, 2]");
    QTest::newRow("to a large file") << QStringLiteral("big") << QByteArray(3 << 20, 'x');
    QTest::newRow("to a directory") << QStringLiteral("folder") << QByteArray("<dir>");
    QTest::newRow("to a FIFO") << QStringLiteral("fifo") << QByteArray("<fifo>");
}

void SettingsLinksTest::otherLinksAreReplacedNotFollowed() {
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

void SettingsLinksTest::anotherUsersLinkIsNotFollowed_data() {
    QTest::addColumn<bool>("targetIsTheirs"); // or else the link is
    // In a shared folder, another user's link must not steer our writes (nor root's).
    QTest::newRow("their link is replaced") << false;
    // Writing through would give their file to us; world-writable, it may be written only
    // as it is, which an atomic write cannot do.
    QTest::newRow("a link to their file fails") << true;
}

void SettingsLinksTest::anotherUsersLinkIsNotFollowed() {
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

void SettingsLinksTest::earlierSettingsLinks_data() {
    QTest::addColumn<QByteArray>("contents"); // of the link's target; null: none
    QTest::addColumn<int>("method");
    QTest::newRow("to 1.0's file") << QByteArray("[Software\\Tintor]\n\"Method\"=dword:3\n") << 3;
    QTest::newRow("dangling") << QByteArray() << 0;
    QTest::newRow("to a FIFO") << QByteArray("<fifo>") << 0;
}

void SettingsLinksTest::earlierSettingsLinks() {
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

QTEST_GUILESS_MAIN(SettingsLinksTest)
#include "tst_settingslinks.moc"
