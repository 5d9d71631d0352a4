// The settings store where file permissions matter: what it cannot read it leaves alone,
// what it cannot write it neither copies nor claims to have written.  Permissions do not
// bind root: CTest runs this as an unprivileged user when it runs as root.

#include "SettingsTestFiles.h"

class SettingsPermissionsTest : public SettingsTestCase {
    Q_OBJECT
private slots:
    void initTestCase();
    void unreadableLinkTargetIsLeftAlone();
    void readOnlyFolderReadsButNeverClaimsAWrite();
    void readOnlyUnparseableFileIsNotCopied();

private:
    [[nodiscard]] bool makesFolder() const override { return true; }
};

void SettingsPermissionsTest::initTestCase() {
    if (runsAsRoot()) {
        QSKIP("permissions do not bind root; the unprivileged run covers this");
    }
}

void SettingsPermissionsTest::unreadableLinkTargetIsLeftAlone() {
    const QString target = m_outside->filePath(QStringLiteral("private.json"));
    QVERIFY(writeAll(target, R"({"Method": 3})"));
    QVERIFY(QFile::setPermissions(target, QFileDevice::WriteOwner));
    QVERIFY(QFile::link(target, m_path));
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), -1);
    QVERIFY(!store.write(Settings::Method, 2));
    QVERIFY(isLink(m_path));
    QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(readAll(target), QByteArray(R"({"Method": 3})"));
}

void SettingsPermissionsTest::readOnlyFolderReadsButNeverClaimsAWrite() {
    const QByteArray stored = R"({"Method": 2})";
    QVERIFY(writeAll(m_path, stored));
    QVERIFY(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    SettingsLogCapture log;
    SettingsStore store(m_path);
    QCOMPARE(startupMethod(store), 2);
    const Result<void> written = store.write(Settings::Method, 3);
    QVERIFY(QFile::setPermissions(folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner));
    QCOMPARE(written.ok() ? QString() : written.error(),
             QStringLiteral("Failed to set data for 'Method'"));
    QCOMPARE(readAll(m_path), stored);
    QCOMPARE(log.lines.size(), 1);
    QVERIFY2(log.lines[0].startsWith("cannot write ") && log.lines[0].contains("is read-only"),
             qPrintable(log.lines[0]));
}

// A repair that cannot write neither copies the file (at every start) nor says it wrote.
void SettingsPermissionsTest::readOnlyUnparseableFileIsNotCopied() {
    const QByteArray garbage = "not settings";
    QVERIFY(writeAll(m_path, garbage));
    QVERIFY(QFile::setPermissions(m_path, QFileDevice::ReadOwner));
    for (int start = 0; start < 3; ++start) {
        SettingsLogCapture log;
        SettingsStore store(m_path);
        QCOMPARE(startupMethod(store), -1);
        QCOMPARE(log.lines.size(), 1);
        QVERIFY2(log.lines[0].contains("cannot write") && !log.lines[0].contains("replaced"),
                 qPrintable(log.lines[0]));
    }
    QCOMPARE(entriesOf(folder()), QStringList{"settings.json"});
    QCOMPARE(readAll(m_path), garbage);
}

QTEST_GUILESS_MAIN(SettingsPermissionsTest)
#include "tst_settingspermissions.moc"
