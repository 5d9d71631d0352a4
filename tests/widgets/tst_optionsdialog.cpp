// The options dialog with the main window: the method in force on opening, OK and Cancel,
// the keyboard, a store that fails, and the dialog's place.

#include "Magnifier.h"
#include "OptionsDialog.h"
#include "WidgetTestCase.h"

#include <QApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

const char* const Items[] = {"singlePixel", "mean3x3", "mean5x5", "mean7x7"};

} // namespace

class OptionsDialogTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void init() {} // each test starts its own window
    void opensWithMethodInForce_data();
    void opensWithMethodInForce();
    void dutchTextsKeepButtonCaptions();
    void cancelStoresNothing();
    void okStoresAndApplies();
    void keyboard_data();
    void keyboard();
    void returnOnMethodPressesNoButton();
    void failedStoreShowsErrorBoxAndChoiceHolds();
    void centredFirstTimeOnly();

private:
    // A window started with `stored` in the settings (none when negative).
    void start(int stored = -1, InterfaceLanguage language = InterfaceLanguage::English);
    // Opens the dialog through its button, as the user does.
    bool openDialog();
    // Ends the dialog with `name`'s button.
    bool closeWith(const char* name);
    QRadioButton* item(int index) const { return find<QRadioButton>(Items[index]); }
    QPushButton* button(const char* name) const { return find<QPushButton>(name); }

    OptionsDialog* m_dialog = nullptr;
};

void OptionsDialogTest::start(int stored, InterfaceLanguage language) {
    m_test = std::make_unique<WidgetTest>(language);
    if (stored >= 0) {
        QVERIFY(m_test->restartWithMethod(stored));
    }
    m_dialog = m_test->child<OptionsDialog>();
}

bool OptionsDialogTest::openDialog() {
    button("optionsButton")->click();
    // Modal: the main window takes no input meanwhile.
    return QTest::qWaitForWindowExposed(m_dialog) && QApplication::activeModalWidget() == m_dialog;
}

bool OptionsDialogTest::closeWith(const char* name) {
    button(name)->click();
    return !m_dialog->isVisible();
}

void OptionsDialogTest::opensWithMethodInForce_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("item");
    QTest::newRow("first start") << -1 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("5 selects the last item") << 5 << 3;
}

void OptionsDialogTest::opensWithMethodInForce() {
    QFETCH(int, stored);
    QFETCH(int, item);
    start(stored);
    QVERIFY(openDialog());
    QVERIFY(this->item(item)->isChecked());
    // The keyboard starts at the method in force.
    QCOMPARE(m_dialog->focusWidget(), this->item(item));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Options"));
    QCOMPARE(find<QGroupBox>("methodGroup")->title(), QStringLiteral("Colour Sampling Method"));
    QCOMPARE(this->item(0)->text(), QStringLiteral("&Single Pixel"));
    QCOMPARE(this->item(3)->text(), QStringLiteral("&7x7 Average"));
    QVERIFY(closeWith("cancelButton"));
}

void OptionsDialogTest::dutchTextsKeepButtonCaptions() {
    start(-1, InterfaceLanguage::Dutch);
    QVERIFY(openDialog());
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Instellingen"));
    QCOMPARE(find<QGroupBox>("methodGroup")->title(), QStringLiteral("Sample-methode"));
    QCOMPARE(item(0)->text(), QString::fromUtf8("\u00c9\u00e9n Pixel"));
    QCOMPARE(item(1)->text(), QStringLiteral("&3x3-emiddelde"));
    QCOMPARE(item(2)->text(), QStringLiteral("&5x5-middelde"));
    QCOMPARE(item(3)->text(), QStringLiteral("&7x7-gemiddelde"));
    QCOMPARE(button("okButton")->text(), QStringLiteral("&OK"));
    QCOMPARE(button("cancelButton")->text(), QStringLiteral("&Cancel"));
    QVERIFY(closeWith("cancelButton"));
}

void OptionsDialogTest::cancelStoresNothing() {
    start(2);
    QVERIFY(openDialog());
    item(3)->click();
    QTest::keyClick(m_dialog, Qt::Key_Escape); // no cancel key: Escape does nothing
    QTest::keyClick(m_dialog->focusWidget(), Qt::Key_Escape);
    QVERIFY(m_dialog->isVisible());
    QVERIFY(closeWith("cancelButton"));
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(window().samplingMethod(), SamplingMethod::Mean5x5);
    // Closed by the window manager: the same.
    QVERIFY(openDialog());
    item(0)->click();
    QVERIFY(m_dialog->close());
    QCOMPARE(window().samplingMethod(), SamplingMethod::Mean5x5);
    QVERIFY(openDialog());
    QVERIFY(item(2)->isChecked()); // the method in force again
    QVERIFY(closeWith("cancelButton"));
    // Nothing was written: the next start has the old method.
    m_test->restart();
    QCOMPARE(window().samplingMethod(), SamplingMethod::Mean5x5);
}

void OptionsDialogTest::okStoresAndApplies() {
    start();
    QVERIFY(openDialog());
    item(3)->click();
    QVERIFY(closeWith("okButton"));
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(window().samplingMethod(), SamplingMethod::Mean7x7);
    // The follower samples by it at once: the magnifier shows 7 x 7 pixels.
    QTRY_COMPARE(magnifier()->image().size(), QSize(7, 7));
    // Kept for the next start.
    m_test->restart();
    m_dialog = m_test->child<OptionsDialog>();
    QCOMPARE(window().samplingMethod(), SamplingMethod::Mean7x7);
    QVERIFY(openDialog());
    QVERIFY(item(3)->isChecked());
    QVERIFY(closeWith("cancelButton"));
}

void OptionsDialogTest::keyboard_data() {
    QTest::addColumn<InterfaceLanguage>("language");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QList<int>>("arrows");
    QTest::addColumn<int>("reached");
    QTest::addColumn<QString>("reachedText");
    QTest::addColumn<QList<int>>("confirm");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("method");
    const auto en = InterfaceLanguage::English;
    const auto nl = InterfaceLanguage::Dutch;
    const int accepted = QDialog::Accepted, rejected = QDialog::Rejected;
    QTest::newRow("en: Down Down, Return on OK")
        << en << 0 << QList<int>{Qt::Key_Down, Qt::Key_Down} << 2 << "&5x5 Average"
        << QList<int>{Qt::Key_Tab, Qt::Key_Return} << accepted << 2;
    QTest::newRow("en: Up, Space on Cancel")
        << en << 3 << QList<int>{Qt::Key_Up} << 2 << "&5x5 Average"
        << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space} << rejected << 3;
    QTest::newRow("nl: Up to the first, Return on OK")
        << nl << 3 << QList<int>{Qt::Key_Up, Qt::Key_Up, Qt::Key_Up} << 0
        << QString::fromUtf8("\u00c9\u00e9n Pixel") << QList<int>{Qt::Key_Tab, Qt::Key_Return}
        << accepted << 0;
    // Left and Right move one method, never further, and stop at either end.
    QTest::newRow("en: Left Left from 7x7, Return on OK")
        << en << 3 << QList<int>{Qt::Key_Left, Qt::Key_Left} << 1 << "&3x3 Average"
        << QList<int>{Qt::Key_Tab, Qt::Key_Return} << accepted << 1;
    QTest::newRow("nl: Right Right from 5x5 stops at 7x7, Return on OK")
        << nl << 2 << QList<int>{Qt::Key_Right, Qt::Key_Right} << 3 << "&7x7-gemiddelde"
        << QList<int>{Qt::Key_Tab, Qt::Key_Return} << accepted << 3;
    QTest::newRow("nl: Down, Return on Cancel")
        << nl << 0 << QList<int>{Qt::Key_Down} << 1 << "&3x3-emiddelde"
        << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return} << rejected << 0;
}

void OptionsDialogTest::keyboard() {
    QFETCH(InterfaceLanguage, language);
    QFETCH(int, stored);
    QFETCH(QList<int>, arrows);
    QFETCH(int, reached);
    QFETCH(QString, reachedText);
    QFETCH(QList<int>, confirm);
    QFETCH(int, result);
    QFETCH(int, method);
    start(stored, language);
    QVERIFY(m_test->activate());
    // Alt+O opens it in both languages.
    QTest::keyClick(&window(), Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(m_dialog->isVisible());
    QCOMPARE(m_dialog->focusWidget(), item(stored));
    for (const int key : arrows) {
        QTest::keyClick(m_dialog->focusWidget(), Qt::Key(key));
    }
    QVERIFY(item(reached)->isChecked());
    QCOMPARE(m_dialog->focusWidget(), item(reached));
    QCOMPARE(item(reached)->text(), reachedText);
    for (const int key : confirm) {
        QTest::keyClick(m_dialog->focusWidget(), Qt::Key(key));
    }
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), result);
    QCOMPARE(window().samplingMethod(), SamplingMethod(method));
    m_test->restart();
    QCOMPARE(window().samplingMethod(), SamplingMethod(method));
}

void OptionsDialogTest::returnOnMethodPressesNoButton() {
    start(1);
    QVERIFY(openDialog());
    // Neither button is the default: Return and Enter on a method do nothing.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(m_dialog->focusWidget(), key);
        QVERIFY(m_dialog->isVisible());
    }
    // Nor after the keyboard has visited OK and come back.
    QTest::keyClick(m_dialog->focusWidget(), Qt::Key_Tab);
    QCOMPARE(m_dialog->focusWidget(), button("okButton"));
    // Nor is any button drawn as the default, the focused one included.
    for (const char* name : {"okButton", "cancelButton"}) {
        QVERIFY(!button(name)->isDefault() && !button(name)->autoDefault());
    }
    QTest::keyClick(m_dialog->focusWidget(), Qt::Key_Backtab);
    QCOMPARE(m_dialog->focusWidget(), item(1));
    QTest::keyClick(m_dialog->focusWidget(), Qt::Key_Return);
    QVERIFY(m_dialog->isVisible());
    QVERIFY(closeWith("cancelButton"));
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
}

void OptionsDialogTest::failedStoreShowsErrorBoxAndChoiceHolds() {
    start();
    QVERIFY(m_test->breakSettingsStore());
    QVERIFY(openDialog());
    item(2)->click();
    QVERIFY(closeWith("okButton"));
    auto* box = find<QMessageBox>("ErrorBox");
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QCOMPARE(QApplication::activeModalWidget(), box);
    QCOMPARE(box->text(), QStringLiteral("Failed to set data for 'Method'"));
    QCOMPARE(box->windowTitle(), QStringLiteral("Tintor"));
    QCOMPARE(box->icon(), QMessageBox::Critical);
    box->accept();
    // The choice holds for this session: the sampler, the title and the dialog agree.
    QCOMPARE(window().samplingMethod(), SamplingMethod::Mean5x5);
    QTRY_COMPARE(magnifier()->image().size(), QSize(5, 5));
    button("pickButton")->click();
    QCOMPARE(window().windowTitle(), QStringLiteral("Picking 5x5 Average"));
    QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(5, 100));
    QVERIFY(openDialog());
    QVERIFY(item(2)->isChecked());
    QVERIFY(closeWith("cancelButton"));
}

void OptionsDialogTest::centredFirstTimeOnly() {
    start();
    window().move(100, 80);
    QTRY_VERIFY(window().geometry().left() >= 100);
    const QRect main = window().geometry();
    QVERIFY(openDialog());
    const QPoint first = m_dialog->geometry().topLeft();
    // Client areas centred, each half-difference rounded toward zero.
    QCOMPARE(first, QPoint(main.left() + (main.width() - m_dialog->width()) / 2,
                           main.top() + (main.height() - m_dialog->height()) / 2));
    m_dialog->move(m_dialog->pos() + QPoint(37, 21));
    QTRY_COMPARE(m_dialog->geometry().topLeft(), first + QPoint(37, 21));
    QVERIFY(closeWith("cancelButton"));
    QVERIFY(openDialog());
    QCOMPARE(m_dialog->geometry().topLeft(), first + QPoint(37, 21));
    QVERIFY(closeWith("cancelButton"));
}

QTEST_MAIN(OptionsDialogTest)
#include "tst_optionsdialog.moc"
