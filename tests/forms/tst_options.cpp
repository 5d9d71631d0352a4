// The options dialog with the main window on the offscreen platform, storing into a real
// settings file in a directory of the test's own.

#include "FakePlatform.h"
#include "core/Language.h"
#include "forms/TintorMain.h"
#include "forms/TintorOpt.h"
#include "settings/StoredMethod.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

class OptionsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensWithMethodInForce_data();
    void opensWithMethodInForce();
    void dutchTextsKeepButtonCaptions();
    void cancelStoresNothing();
    void okStoresAndApplies();
    void failedStoreShowsErrorBoxAndKeepsMethodInForce();
    void startupKeepsLowByteAndStoredValue();
    void centredFirstTimeOnly();

private:
    void start(const QByteArray& stored = {});
    // Opens the dialog through its button; `inside` runs while it shows.
    void runDialog(const std::function<void(TOptForm&)>& inside);
    QByteArray storedText() const;

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<TOptForm> m_dialog;
};

void OptionsTest::init() {
    m_platform = std::make_unique<FakePlatform>();
}

void OptionsTest::cleanup() {
    OptForm = nullptr;
    MainForm = nullptr;
    m_dialog.reset();
    m_form.reset();
    m_platform.reset();
    LanguageCode.clear();
}

void OptionsTest::start(const QByteArray& stored) {
    if (!stored.isEmpty()) {
        QDir().mkpath(QFileInfo(m_platform->settings.path()).absolutePath());
        QFile file(m_platform->settings.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(stored);
    }
    m_form = std::make_unique<TMainForm>(*m_platform);
    MainForm = m_form.get();
    m_dialog = std::make_unique<TOptForm>(m_form.get());
    OptForm = m_dialog.get();
    m_form->PickTmr->stop();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void OptionsTest::runDialog(const std::function<void(TOptForm&)>& inside) {
    bool ran = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(m_dialog->isVisible());
        inside(*m_dialog);
        ran = true;
    });
    m_form->OptBtn->click();
    QVERIFY(ran);
    QVERIFY(!m_dialog->isVisible());
}

QByteArray OptionsTest::storedText() const {
    QFile file(m_platform->settings.path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void OptionsTest::opensWithMethodInForce_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("item");
    QTest::newRow("first start") << QByteArray() << 0;
    QTest::newRow("3") << QByteArray(R"({"Method": 3})") << 3;
    QTest::newRow("5 selects the last item") << QByteArray(R"({"Method": 5})") << 3;
}

void OptionsTest::opensWithMethodInForce() {
    QFETCH(QByteArray, stored);
    QFETCH(int, item);
    start(stored);
    runDialog([&](TOptForm& dialog) {
        QCOMPARE(dialog.ItemIndex(), item);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog.MethodGrp->title(), QStringLiteral("Colour Sampling Method"));
        QCOMPARE(dialog.MethodItems[0]->text(), QStringLiteral("&Single Pixel"));
        QCOMPARE(dialog.size(), QSize(169, 141));
        dialog.Button1->click();
    });
}

void OptionsTest::dutchTextsKeepButtonCaptions() {
    LanguageCode = "nld";
    start();
    runDialog([](TOptForm& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Instellingen"));
        QCOMPARE(dialog.MethodGrp->title(), QStringLiteral("Sample-methode"));
        QCOMPARE(dialog.MethodItems[0]->text(), QString::fromUtf8("\u00c9\u00e9n Pixel"));
        QCOMPARE(dialog.MethodItems[1]->text(), QStringLiteral("&3x3-emiddelde"));
        QCOMPARE(dialog.MethodItems[2]->text(), QStringLiteral("&5x5-middelde"));
        QCOMPARE(dialog.MethodItems[3]->text(), QStringLiteral("&7x7-gemiddelde"));
        QCOMPARE(dialog.OKBtn->text(), QStringLiteral("&OK"));
        QCOMPARE(dialog.Button1->text(), QStringLiteral("&Cancel"));
        dialog.Button1->click();
    });
}

void OptionsTest::cancelStoresNothing() {
    start();
    const QByteArray before = storedText();
    runDialog([](TOptForm& dialog) {
        dialog.MethodItems[3]->click();
        QTest::keyClick(&dialog, Qt::Key_Escape); // no cancel button: Escape does nothing
        QVERIFY(dialog.isVisible());
        dialog.Button1->click();
    });
    QCOMPARE(m_form->ChosenMethod, SamplingMethod(0));
    QCOMPARE(m_form->ActiveMethod, SamplingMethod(0));
    QCOMPARE(storedText(), before);
    runDialog([](TOptForm& dialog) {
        QCOMPARE(dialog.ItemIndex(), 0); // the method in force again
        dialog.Button1->click();
    });
}

void OptionsTest::okStoresAndApplies() {
    start();
    runDialog([](TOptForm& dialog) {
        dialog.MethodItems[3]->click();
        dialog.OKBtn->click();
    });
    QCOMPARE(m_form->ChosenMethod, SamplingMethod(3));
    QCOMPARE(m_form->ActiveMethod, SamplingMethod(3));
    QCOMPARE(m_form->SampleBitmap.size(), QSize(7, 7));
    QCOMPARE(QJsonDocument::fromJson(storedText()).object(), QJsonObject({{"Method", 3}}));
    // Read back by a fresh store, as at the next start.
    SettingsStore fresh(m_platform->settings.path());
    QCOMPARE(readStartupMethod(fresh).method, SamplingMethod(3));
}

void OptionsTest::failedStoreShowsErrorBoxAndKeepsMethodInForce() {
    start();
    // A directory in the file's place: nothing can be stored.
    QVERIFY(QFile::remove(m_platform->settings.path()));
    QVERIFY(QDir().mkpath(m_platform->settings.path()));
    QString boxText;
    QString boxTitle;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    QTimer watcher;
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxText = box->text();
            boxTitle = box->windowTitle();
            boxIcon = box->icon();
            box->accept();
        }
    });
    watcher.start(10);
    runDialog([](TOptForm& dialog) {
        dialog.MethodItems[2]->click();
        dialog.OKBtn->click();
    });
    QTRY_COMPARE(boxText, QStringLiteral("Failed to set data for 'Method'"));
    QCOMPARE(boxTitle, QStringLiteral("Tintor"));
    QCOMPARE(boxIcon, QMessageBox::Critical);
    QCOMPARE(m_form->ChosenMethod, SamplingMethod(2));
    QCOMPARE(m_form->ActiveMethod, SamplingMethod(0));
    QCOMPARE(m_form->SampleBitmap.size(), QSize(1, 1));
    // A pick names the chosen method while the one in force samples.
    m_form->PFSBtn->click();
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Picking 5x5 Average"));
    runDialog([](TOptForm& dialog) {
        QCOMPARE(dialog.ItemIndex(), 0);
        dialog.Button1->click();
    });
}

void OptionsTest::startupKeepsLowByteAndStoredValue() {
    const QByteArray stored(R"({"Method": 258})");
    start(stored);
    QCOMPARE(m_form->ChosenMethod, SamplingMethod(2));
    QCOMPARE(m_form->ActiveMethod, SamplingMethod(2));
    QCOMPARE(m_form->SampleBitmap.size(), QSize(5, 5));
    QCOMPARE(storedText(), stored); // 258 stays until the dialog is confirmed
    runDialog([](TOptForm& dialog) { dialog.OKBtn->click(); });
    QCOMPARE(QJsonDocument::fromJson(storedText()).object(), QJsonObject({{"Method", 2}}));
}

void OptionsTest::centredFirstTimeOnly() {
    start();
    m_form->move(100, 80);
    const QRect main = m_form->geometry();
    QPoint first;
    runDialog([&](TOptForm& dialog) {
        first = dialog.geometry().topLeft();
        dialog.move(dialog.pos() + QPoint(37, 21));
        dialog.Button1->click();
    });
    QCOMPARE(first, QPoint(main.left() + (main.width() - 169) / 2,
                           main.top() + (main.height() - 141) / 2));
    runDialog([&](TOptForm& dialog) {
        QCOMPARE(dialog.geometry().topLeft(), first + QPoint(37, 21));
        dialog.Button1->click();
    });
}

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
