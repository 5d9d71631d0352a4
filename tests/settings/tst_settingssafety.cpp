// What the settings store must never do: create anything outside its folder, lose a member it
// does not know, leave temporaries behind, copy the same unreadable file again and again, or
// claim a write that failed.  Links are in tst_settingslinks, the cases where permissions
// matter in tst_settingspermissions.

#include "SettingsTestFiles.h"

#include <QJsonArray>
#include <QRandomGenerator>

#include <unistd.h>
#include <utime.h>

class SettingsSafetyTest : public SettingsTestCase {
    Q_OBJECT
private slots:
    void foreignMembersSurviveRepairAndWrite();
    void staleTemporariesGoAtNextWrite();
    void unparseableFileCopiedOncePerContent();

private:
    [[nodiscard]] bool makesFolder() const override { return true; }
};

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
