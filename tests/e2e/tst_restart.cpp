// The stored method across a restart of the built program: chosen in the options dialog,
// read back at the next start; a settings file that does not parse, and 1.0's file; a
// colour picked, in the recent colours of the next start and of `tintor --recent`; the
// contrast view turned on, on at the next start, read by a screen reader.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "TintorRun.h"

#include <X11/keysym.h>

namespace {

// Whether `dark` reads clearly darker than `light`; never when either could not be read.
bool clearlyDarker(const std::optional<Rgb>& dark, const std::optional<Rgb>& light) {
    const auto brightness = [](Rgb c) { return c.red() + c.green() + c.blue(); };
    return dark && light && brightness(*dark) + 150 < brightness(*light);
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
    void pickedColourAndContrastViewSurviveRestart();

private:
    std::unique_ptr<TintorRun> start();
    // Starts a pick, checks the title, ends the pick and closes the program.
    void pickNamesMethodAndClose(TintorRun& tintor, const QString& method);
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

std::unique_ptr<TintorRun> RestartTest::start() {
    return std::make_unique<TintorRun>(
        m_x, QStringList{"XDG_CONFIG_HOME=" + m_config->path(), "LANG=en_GB.UTF-8"});
}

void RestartTest::pickNamesMethodAndClose(TintorRun& tintor, const QString& method) {
    QVERIFY(tintor.main() != 0);
    tintor.click(MainWindowAt::PickButton);
    QTRY_COMPARE(tintor.title(), QStringLiteral("Picking ") + method);
    m_x.clickAt(5, 5);
    QTRY_COMPARE(tintor.title(), Title::Main);
    QCOMPARE(tintor.close(), 0);
}

void RestartTest::sevenBySevenSurvivesRestart() {
    QVERIFY(m_x.connected());
    {
        const auto tintor = start();
        const auto dialog = tintor->open(MainWindowAt::OptionsButton, Title::Options);
        QVERIFY(dialog.has_value());
        tintor->clickIn(*dialog, OptionsDialogAt::method(3));
        tintor->clickIn(*dialog, OptionsDialogAt::OkButton);
        QTRY_VERIFY(!m_x.viewable(*dialog));
        QCOMPARE(tintor->close(), 0);
    }
    QCOMPARE(QJsonDocument::fromJson(readAll(settingsFile())).object(),
             QJsonObject({{"Method", 3}}));
    const auto tintor = start();
    const auto dialog = tintor->open(MainWindowAt::OptionsButton, Title::Options);
    QVERIFY(dialog.has_value());
    // The checked item's indicator has a dark dot; the others are light.
    const auto indicator = [&](int item) {
        return m_x.pixel(*dialog, OptionsDialogAt::method(item).x(),
                         OptionsDialogAt::method(item).y());
    };
    QTRY_VERIFY(clearlyDarker(indicator(3), indicator(0)));
    tintor->clickIn(*dialog, OptionsDialogAt::CancelButton);
    QTRY_VERIFY(!m_x.viewable(*dialog));
    pickNamesMethodAndClose(*tintor, QStringLiteral("7x7 Average"));
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
    pickNamesMethodAndClose(*start(), method);
    QCOMPARE(QJsonDocument::fromJson(readAll(settingsFile())).object().value("Method"), stored);
    const QString kept =
        file == "settings.json" ? settingsFile("settings.json.unreadable") : settingsFile(file);
    QCOMPARE(readAll(kept), contents);
}

void RestartTest::pickedColourAndContrastViewSurviveRestart() {
    QVERIFY(m_x.connected());
    const Rgb picked(200, 30, 60);
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(picked.toQRgb());
    const Window shown = m_x.showImage(50, 50, image);
    {
        const auto tintor = start();
        QVERIFY(tintor->main() != 0);
        tintor->click(MainWindowAt::PickButton);
        QTRY_COMPARE(tintor->title(), Title::Picking);
        m_x.movePointer(55, 55);
        QTRY_COMPARE(tintor->swatch(), picked);
        m_x.clickAt(55, 55);
        QTRY_COMPARE(tintor->title(), Title::Main);
        m_x.chord(XK_Alt_L, XK_c);
        QTRY_COMPARE(m_x.clientSize(tintor->main()), MainWindowAt::WithContrast);
        QCOMPARE(tintor->close(), 0);
    }
    m_x.destroyWindow(shown);
    image.fill(Qt::white);
    m_x.showImage(50, 50, image);
    QProcess recent;
    recent.setProcessEnvironment(TintorRun::environment({"XDG_CONFIG_HOME=" + m_config->path()}));
    recent.start(TintorRun::program(), {"--recent", "--format", "RGB"}); // any case
    QVERIFY(recent.waitForFinished(30000));
    QCOMPARE(recent.exitCode(), 0);
    QCOMPARE(recent.readAllStandardOutput(), QByteArray("rgb(200, 30, 60)\n"));
    // Alt+R lists it first, Return chooses it.
    const auto tintor = start();
    QVERIFY(tintor->main() != 0);
    QCOMPARE(tintor->swatch(), Rgb(0, 0, 0));
    const auto viewable = [this] {
        const auto windows = m_x.clientWindows();
        return std::count_if(windows.begin(), windows.end(),
                             [this](Window window) { return m_x.viewable(window); });
    };
    const auto before = viewable();
    m_x.focus(tintor->main());
    m_x.chord(XK_Alt_L, XK_r);
    QTRY_VERIFY(viewable() > before); // the menu
    m_x.tapKey(XK_Return);
    QTRY_COMPARE(tintor->swatch(), picked);
    QCOMPARE(m_x.clientSize(tintor->main()), MainWindowAt::WithContrast);
    m_x.movePointer(55, 55);
    QTRY_VERIFY_WITH_TIMEOUT(tintor->accessibleNames().contains(
                                 "contrast 5.66 to 1, AA normal text passes | AA normal text "
                                 "passes, AA large text passes, AAA normal text fails, AAA large "
                                 "text passes, UI and graphics passes"),
                             20000);
    QCOMPARE(tintor->close(), 0);
}

QTEST_GUILESS_MAIN(RestartTest)
#include "tst_restart.moc"
