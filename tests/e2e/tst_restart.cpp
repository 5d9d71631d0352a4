// The stored method across a restart of the built program: chosen in the options dialog,
// read back at the next start; a settings file that does not parse, and 1.0's file.

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramEnvironment.h"
#include "XSession.h"

namespace {

const QPoint OptionsButton(70, 149);
const QPoint PickButton(178, 149);
// In the dialog: the centre of an item's radio indicator, the OK and Cancel buttons.
QPoint indicator(int item) {
    return {23, 34 + 19 * item};
}
const QPoint OkButton(54, 124);
const QPoint CancelButton(118, 124);

int brightness(Rgb c) {
    return c.red() + c.green() + c.blue();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class RestartTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void sevenBySevenSurvivesRestart();
    void startsWith_data();
    void startsWith();

private:
    Window start(QProcess& process);
    Window openOptions(QProcess& process, Window main);
    // Starts a pick, checks the title, ends the pick and closes the program.
    void pickNamesMethodAndClose(QProcess& tintor, Window main, const QString& method);
    [[nodiscard]] QString
    settingsFile(const QString& name = QStringLiteral("settings.json")) const {
        return m_config->filePath(QStringLiteral("tintor/") + name);
    }

    XSession m_x;
    std::unique_ptr<QTemporaryDir> m_config;
};

void RestartTest::init() {
    m_config = std::make_unique<QTemporaryDir>();
}

Window RestartTest::start(QProcess& process) {
    process.setProcessEnvironment(ProgramEnvironment(
        {"XDG_CONFIG_HOME=" + m_config->path(), QStringLiteral("LANG=en_GB.UTF-8")}));
    process.start(QStringLiteral(TINTOR_EXE), {});
    return m_x.waitForWindow(process.processId(), 10000).value_or(0);
}

Window RestartTest::openOptions(QProcess& process, Window main) {
    const QPoint origin = m_x.rootPosition(main);
    m_x.clickAt(origin.x() + OptionsButton.x(), origin.y() + OptionsButton.y());
    return m_x.waitForWindow(process.processId(), QStringLiteral("Options"), 5000).value_or(0);
}

void RestartTest::pickNamesMethodAndClose(QProcess& tintor, Window main, const QString& method) {
    const QPoint origin = m_x.rootPosition(main);
    m_x.clickAt(origin.x() + PickButton.x(), origin.y() + PickButton.y());
    QTRY_COMPARE(m_x.title(main), QStringLiteral("Picking ") + method);
    m_x.clickAt(5, 5);
    QTRY_COMPARE(m_x.title(main), QStringLiteral("Tintor, version 1.00"));
    m_x.requestClose(main);
    QVERIFY(tintor.waitForFinished(10000));
    QCOMPARE(tintor.exitCode(), 0);
}

void RestartTest::sevenBySevenSurvivesRestart() {
    QVERIFY(m_x.connected());
    {
        QProcess tintor;
        const Window main = start(tintor);
        QVERIFY(main != 0);
        const Window dialog = openOptions(tintor, main);
        QVERIFY(dialog != 0);
        const QPoint at = m_x.rootPosition(dialog);
        m_x.clickAt(at.x() + indicator(3).x(), at.y() + indicator(3).y());
        m_x.clickAt(at.x() + OkButton.x(), at.y() + OkButton.y());
        QTRY_VERIFY(!m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 10));
        m_x.requestClose(main);
        QVERIFY(tintor.waitForFinished(10000));
        QCOMPARE(tintor.exitCode(), 0);
    }
    QCOMPARE(QJsonDocument::fromJson(readAll(settingsFile())).object(),
             QJsonObject({{"Method", 3}}));
    QProcess tintor;
    const Window main = start(tintor);
    QVERIFY(main != 0);
    const Window dialog = openOptions(tintor, main);
    QVERIFY(dialog != 0);
    // The checked item's indicator has a dark dot; the others are light.
    QTRY_VERIFY(brightness(m_x.pixel(dialog, indicator(3).x(), indicator(3).y())) + 150 <
                brightness(m_x.pixel(dialog, indicator(0).x(), indicator(0).y())));
    const QPoint at = m_x.rootPosition(dialog);
    m_x.clickAt(at.x() + CancelButton.x(), at.y() + CancelButton.y());
    QTRY_VERIFY(!m_x.waitForWindow(tintor.processId(), QStringLiteral("Options"), 10));
    pickNamesMethodAndClose(tintor, main, QStringLiteral("7x7 Average"));
}

void RestartTest::startsWith_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("stored");
    // The user's bytes are kept beside the repaired file.
    QTest::newRow("a file that does not parse")
        << QStringLiteral("settings.json") << QByteArray("{\"Method\": 3,\n oops") << "Single Pixel"
        << 0;
    QTest::newRow("1.0's settings")
        << QStringLiteral("settings.reg")
        << QByteArray("[Software\\Tintor]\n\"Method\"=dword:00000002\n") << "5x5 Average" << 2;
}

void RestartTest::startsWith() {
    QFETCH(QString, file);
    QFETCH(QByteArray, contents);
    QFETCH(QString, method);
    QFETCH(int, stored);
    QVERIFY(m_x.connected());
    QVERIFY(writeAll(settingsFile(file), contents));
    QProcess tintor;
    const Window main = start(tintor);
    QVERIFY(main != 0);
    pickNamesMethodAndClose(tintor, main, method);
    QCOMPARE(QJsonDocument::fromJson(readAll(settingsFile())).object(),
             QJsonObject({{"Method", stored}}));
    const QString kept =
        file == "settings.json" ? settingsFile("settings.json.unreadable") : settingsFile(file);
    QCOMPARE(readAll(kept), contents);
}

QTEST_GUILESS_MAIN(RestartTest)
#include "tst_restart.moc"
