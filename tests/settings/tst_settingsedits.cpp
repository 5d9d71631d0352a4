// What a store changes in the settings file: where the file lives, the move from 1.0's
// settings.reg, and the dialog's writes, which change only their own member.

#include "SettingsTestFiles.h"

#include <QJsonArray>

#include <pwd.h>

class SettingsEditsTest : public SettingsTestCase {
    Q_OBJECT
private slots:
    void defaultPath_data();
    void defaultPath();
    void earlierSettingsAreTakenOver_data();
    void earlierSettingsAreTakenOver();
    void earlierSettingsAreTakenOverOnce();
    void writeRecreatesWhatWasDeleted_data();
    void writeRecreatesWhatWasDeleted();
    void writeChangesOnlyItsMember_data();
    void writeChangesOnlyItsMember();
};

void SettingsEditsTest::defaultPath_data() {
    QTest::addColumn<QByteArray>("xdg"); // null: unset
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QString>("path"); // relative to the user database's home when it starts ~
    QTest::newRow("XDG_CONFIG_HOME") << QByteArray("/x/config") << QByteArray("/h")
                                     << QStringLiteral("/x/config/tintor/settings.json");
    QTest::newRow("unset") << QByteArray() << QByteArray("/h")
                           << QStringLiteral("/h/.config/tintor/settings.json");
    QTest::newRow("empty") << QByteArray("") << QByteArray("/h")
                           << QStringLiteral("/h/.config/tintor/settings.json");
    QTest::newRow("relative is ignored") << QByteArray("config") << QByteArray("/h")
                                         << QStringLiteral("/h/.config/tintor/settings.json");
    QTest::newRow("HOME unset: the user database")
        << QByteArray() << QByteArray() << QStringLiteral("~/.config/tintor/settings.json");
    QTest::newRow("HOME empty: the user database")
        << QByteArray() << QByteArray("") << QStringLiteral("~/.config/tintor/settings.json");
}

void SettingsEditsTest::defaultPath() {
    QFETCH(QByteArray, xdg);
    QFETCH(QByteArray, home);
    QFETCH(QString, path);
    const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
    const QByteArray savedHome = qgetenv("HOME");
    const auto set = [](const char* name, const QByteArray& value) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    };
    set("XDG_CONFIG_HOME", xdg);
    set("HOME", home);
    const QString found = SettingsStore::defaultPath();
    qputenv("XDG_CONFIG_HOME", savedXdg);
    qputenv("HOME", savedHome);
    if (path.startsWith('~')) {
        const passwd* user = ::getpwuid(::geteuid());
        QVERIFY(user != nullptr);
        path.replace(0, 1, QFile::decodeName(user->pw_dir));
    }
    QCOMPARE(found, path);
    QCOMPARE(SettingsStore(found).path(), found);
}

void SettingsEditsTest::earlierSettingsAreTakenOver_data() {
    QTest::addColumn<QByteArray>("earlier");
    QTest::addColumn<int>("method");
    QTest::addColumn<qint64>("stored");
    QTest::newRow("as 1.0 wrote it")
        << QByteArray("[Software\\Tintor]\n\"Method\"=dword:00000003\n") << 3 << qint64(3);
    QTest::newRow("258: the whole value moves")
        << QByteArray("[Software\\Tintor]\r\n\"Method\"=dword:00000102\r\n") << 2 << qint64(258);
    QTest::newRow("ffffffff") << QByteArray("[Software\\Tintor]\n\"Method\"=dword:ffffffff\n")
                              << 255 << qint64(4294967295);
    QTest::newRow("export header, other case")
        << QByteArray(
               "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\tintor]"
               "\n\"method\" = dword:5\n")
        << 5 << qint64(5);
    QByteArray utf16("\xFF\xFE", 2);
    for (QChar c : QStringLiteral("[Software\\Tintor]\r\n\"Method\"=dword:00000001\r\n")) {
        utf16.append(char(c.unicode())).append('\0');
    }
    QTest::newRow("UTF-16 export") << utf16 << 1 << qint64(1);
    QTest::newRow("last of two") << QByteArray("[Software\\Tintor]\n\"Method\"=dword:1\n"
                                               "\"Method\"=dword:2\n")
                                 << 2 << qint64(2);
    // Nothing that reads as the value: the start-up repair stores 0.
    QTest::newRow("under another key")
        << QByteArray("[Software\\Other]\n\"Method\"=dword:3\n") << 0 << qint64(0);
    QTest::newRow("text") << QByteArray("[Software\\Tintor]\n\"Method\"=\"3\"\n") << 0 << qint64(0);
    QTest::newRow("nine digits") << QByteArray("[Software\\Tintor]\n\"Method\"=dword:123456789\n")
                                 << 0 << qint64(0);
    QTest::newRow("binary") << QByteArray("[Software\\Tintor]\n\"Method\"=hex:03,00,00,00\n") << 0
                            << qint64(0);
}

void SettingsEditsTest::earlierSettingsAreTakenOver() {
    QFETCH(QByteArray, earlier);
    QFETCH(int, method);
    QFETCH(qint64, stored);
    const QString old = m_dir->filePath(QStringLiteral("tintor/settings.reg"));
    QVERIFY(writeAll(old, earlier));
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), method);
    QCOMPARE(jsonOf(m_path), QJsonObject({{"Method", stored}}));
    QCOMPARE(readAll(old), earlier); // the old file is left alone
}

void SettingsEditsTest::earlierSettingsAreTakenOverOnce() {
    const QString old = m_dir->filePath(QStringLiteral("tintor/settings.reg"));
    QVERIFY(writeAll(old, "[Software\\Tintor]\n\"Method\"=dword:3\n"));
    SettingsStore store(m_path);
    QVERIFY(!store.read(Settings::Method) && !QFileInfo::exists(m_path)); // reading writes nothing
    store.takeOverEarlierSettings();
    QCOMPARE(store.read(Settings::Method)->toInteger(), 3);
    QVERIFY(store.write(Settings::Method, 1));
    SettingsStore later(m_path);
    QCOMPARE(later.read(Settings::Method)->toInteger(), 1);
    // The new file is there: the old one no longer counts, even after a reset.
    QVERIFY(QFile::remove(m_path));
    QVERIFY(writeAll(m_path, R"({"Colour": 1})"));
    QCOMPARE(startupMethod(later), 0);
}

void SettingsEditsTest::writeRecreatesWhatWasDeleted_data() {
    QTest::addColumn<bool>("folderToo");
    QTest::newRow("file") << false;
    QTest::newRow("file and folder") << true;
}

// Deleting the file is the README's reset; the next store must not fail for it.
void SettingsEditsTest::writeRecreatesWhatWasDeleted() {
    QFETCH(bool, folderToo);
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), 0);
    QVERIFY(folderToo ? QDir(QFileInfo(m_path).absolutePath()).removeRecursively()
                      : QFile::remove(m_path));
    const Result<void> stored = store.write(Settings::Method, 2);
    QVERIFY2(stored.ok(), stored.ok() ? "" : stored.error().toLocal8Bit().constData());
    QCOMPARE(jsonOf(m_path), QJsonObject({{"Method", 2}}));
}

void SettingsEditsTest::writeChangesOnlyItsMember_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QJsonValue>("read"); // from `before`: the value, or the fallback
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QByteArray>("after"); // empty: the store fails, the file stays
    const auto row = [](const char* tag, const QByteArray& before, const Setting& setting,
                        const QJsonValue& read, const QJsonValue& value, const QByteArray& after) {
        QTest::newRow(tag) << before << QString(setting.key) << read << value << after;
    };
    row("in place; an integer beyond 2^53 kept",
        R"({"z": [1, 2.5, {}], "Method": 1, "n": 12345678901234567890})", Settings::Method, 1, 255,
        R"({"z": [1, 2.5, {}], "Method": 255, "n": 12345678901234567890})");
    row("added after the last member", "\xEF\xBB\xBF{\n    \"n\": 1.50e+300,\n  \"o\": {}\n}\n",
        Settings::Method, 0, 2,
        "\xEF\xBB\xBF{\n    \"n\": 1.50e+300,\n  \"o\": {},\n    \"Method\": 2\n}\n");
    row("empty object", "{ }", Settings::Method, 0, 3, R"({"Method": 3 })");
    row("the last of two", R"({"Method": 1, "Method" :2})", Settings::Method, 2, 3,
        R"({"Method": 1, "Method" :3})");
    row("escaped name", R"({"\u004dethod": "x,}"})", Settings::Method, 0, 3,
        R"({"\u004dethod": 3})");
    const QByteArray mib = "{\"Method\": 3, \"Pad\": \"" + QByteArray((1 << 20) - 24, 'x') + "\"}";
    row("1 MiB stays 1 MiB", mib, Settings::Method, 3, 7, QByteArray(mib).replace(11, 1, "7"));
    row("1 MiB cannot grow", mib, Settings::Method, 3, 10, QByteArray());
    // Only true is yes; only a string is a token.
    row("yes for a string", R"({"FollowEverywhere": "true"})", Settings::FollowEverywhere, false,
        true, R"({"FollowEverywhere": true})");
    row("yes added", "{\n  \"Method\": 2\n}\n", Settings::FollowEverywhere, false, true,
        "{\n  \"Method\": 2,\n  \"FollowEverywhere\": true\n}\n");
    row("a token for a number", R"({"ScreenCastToken": 7})", Settings::ScreenCastToken, "",
        "a\"b\\\n", R"({"ScreenCastToken": "a\"b\\\n"})");
    row("a token in a new file", "", Settings::ScreenCastToken, "", "t",
        "{\n    \"ScreenCastToken\": \"t\"\n}\n");
    // Recent colours: only an array of "#RRGGBB" holds any; a bad entry spoils the list.
    row("colours for a bad entry", R"({"RecentColours": ["#FF8000", "red"], "n": [1]})",
        Settings::RecentColours, QJsonArray(), QJsonArray{"#0A0B0C", "#FF8000"},
        R"({"RecentColours": ["#0A0B0C","#FF8000"], "n": [1]})");
    row("colours for a text", R"({"RecentColours": "#FF8000"})", Settings::RecentColours,
        QJsonArray(), QJsonArray{"#FF8000"}, R"({"RecentColours": ["#FF8000"]})");
}

// Members Tintor does not know stay byte for byte, as the user or a later version wrote them.
void SettingsEditsTest::writeChangesOnlyItsMember() {
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QJsonValue, read);
    QFETCH(QJsonValue, value);
    QFETCH(QByteArray, after);
    QVERIFY(before.isEmpty() || writeAll(m_path, before));
    const Setting& setting = **std::find_if(std::begin(Settings::All), std::end(Settings::All),
                                            [&](const Setting* s) { return s->key == key; });
    SettingsStore store(m_path);
    QCOMPARE(store.value(setting), read);
    QCOMPARE(bool(store.write(setting, value)), !after.isEmpty());
    QCOMPARE(readAll(m_path), after.isEmpty() ? before : after);
    QCOMPARE(store.value(setting), after.isEmpty() ? read : value);
}

QTEST_GUILESS_MAIN(SettingsEditsTest)
#include "tst_settingsedits.moc"
