// The About window with the fake platform services: its texts, the exact link targets, the
// views and the pointer limit, and how a link's failure is reported.

#include "AboutDialog.h"
#include "TimedMessage.h"
#include "WidgetTestCase.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

#include <functional>
#include <memory>

class AboutDialogTest : public WidgetTestCase {
    Q_OBJECT
private slots:
    void init() {} // each test starts its own window
    void cleanup();
    void textsFollowLanguage_data();
    void textsFollowLanguage();
    void linkTargets_data();
    void linkTargets();
    void failedLinkIsReportedWhileWindowStaysOpen_data();
    void failedLinkIsReportedWhileWindowStaysOpen();
    void repeatedFailureIsReportedOnce();
    void viewsAndPointerLimit();
    void limitFollowsMove_data();
    void limitFollowsMove();
    void everyControlHasAnAccessibleName();

private:
    // Opens the About window from the main window's button in `language`; `inside` runs
    // while it shows.
    void runAbout(InterfaceLanguage language, const std::function<void()>& inside);
    // A button of the About window once it is open, of the main window before.
    QAbstractButton* button(const char* name) const {
        const QWidget* shown = m_about != nullptr ? static_cast<QWidget*>(m_about) : &window();
        return shown->findChild<QAbstractButton*>(QLatin1String(name));
    }
    QRect clientArea() const { return {m_about->mapToGlobal(QPoint(0, 0)), m_about->size()}; }

    AboutDialog* m_about = nullptr;
};

void AboutDialogTest::cleanup() {
    m_about = nullptr;
    m_test.reset();
}

void AboutDialogTest::runAbout(InterfaceLanguage language, const std::function<void()>& inside) {
    m_test = std::make_unique<WidgetTest>(language);
    button("aboutButton")->click();
    m_about = m_test->child<AboutDialog>();
    QVERIFY(QTest::qWaitForWindowExposed(m_about));
    inside();
    QVERIFY(!m_about->isVisible());
    // However it was left, the pointer is free again.
    QCOMPARE(platform().confinement, std::nullopt);
}

void AboutDialogTest::textsFollowLanguage_data() {
    QTest::addColumn<InterfaceLanguage>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("thanks");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("townLine");
    QTest::newRow("English") << InterfaceLanguage::English << Title::About << "version 1.00"
                             << "With thanks to               :"
                             << "Tintor picks the screen color and shows the "
                             << "9999 ZZ Voorbeeldstad, The Netherlands";
    QTest::newRow("Dutch") << InterfaceLanguage::Dutch << "Tintor, versie 1.00a - Informatie"
                           << "versie 1.00a"
                           << "Met dank aan               :"
                           << "Tintor pakt de schermkleur op en toont de"
                           << "9999 ZZ Voorbeeldstad";
}

void AboutDialogTest::textsFollowLanguage() {
    QFETCH(InterfaceLanguage, language);
    QFETCH(QString, title);
    QFETCH(QString, version);
    QFETCH(QString, thanks);
    QFETCH(QString, description);
    QFETCH(QString, townLine);
    runAbout(language, [&] {
        QCOMPARE(m_about->windowTitle(), title);
        QCOMPARE(find<QLabel>("nameLabel")->text(), QStringLiteral("Tintor"));
        QCOMPARE(find<QLabel>("versionLabel")->text(), version);
        QCOMPARE(find<QLabel>("thanksLabel")->text(), thanks);
        QCOMPARE(find<QLabel>("descriptionLine1")->text(), description);
        QCOMPARE(button("authorButton")->toolTip(), QStringLiteral("Toon auteur")); // both
        const QStringList author =
            find<QTextEdit>("authorText")->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(author.size(), 13);
        QCOMPARE(author.at(3), QStringLiteral("Korvan Vlierhoeve"));
        QCOMPARE(author.at(5), townLine);
        button("okButton")->click();
    });
}

void AboutDialogTest::linkTargets_data() {
    QTest::addColumn<InterfaceLanguage>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    const auto en = InterfaceLanguage::English;
    const auto nl = InterfaceLanguage::Dutch;
    // Greeting, 3 separators, the program's line, 2, the comment line, 6, the closing line.
    QTest::newRow("mail, English")
        << en << "mailButton"
        << "mailto:korvan@example.org?Subject=Programma Tintor, version 1.00&Body=Hi Korvan"
           "%0D%0A%0D%0A%0D%0AOn you Home Page I found the program Tintor.%0D%0A%0D%0AI want "
           "to comment on this program:%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0AKind regards,";
    QTest::newRow("mail, Dutch")
        << nl << "mailButton"
        << "mailto:korvan@example.org?Subject=Programma Tintor, versie 1.00a&Body=Hallo Korvan"
           "%0D%0A%0D%0A%0D%0AIk vond op je Home Page het programma Tintor.%0D%0A%0D%0AIk wil "
           "hierover het volgende kwijt:%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0AMet vriendelijke "
           "groet,";
    QTest::newRow("home, English") << en << "homeButton"
                                   << "https://korvan.example.org/en/downloads.html#Tintor";
    QTest::newRow("home, Dutch") << nl << "homeButton"
                                 << "https://korvan.example.org/nl/downloads.html#Tintor";
    QTest::newRow("credit") << nl << "creditLink"
                            << "https://vos.example.org/";
}

void AboutDialogTest::linkTargets() {
    QFETCH(InterfaceLanguage, language);
    QFETCH(QString, control);
    QFETCH(QString, target);
    runAbout(language, [&] {
        QTRY_COMPARE(platform().confinement, std::optional<QRect>(clientArea()));
        QTest::mouseClick(button(control.toLatin1().constData()), Qt::LeftButton);
        QCOMPARE(m_test->links().opened, std::vector<QString>{target});
        // The link sets the pointer free; the window's own redraws do not take it back.
        QCOMPARE(platform().confinement, std::nullopt);
        m_about->repaint();
        QTest::mouseMove(m_about, QPoint(5, 5));
        QTest::qWait(50);
        QCOMPARE(platform().confinement, std::nullopt);
        QVERIFY(m_about->isVisible());
        button("okButton")->click();
    });
}

void AboutDialogTest::failedLinkIsReportedWhileWindowStaysOpen_data() {
    QTest::addColumn<InterfaceLanguage>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("report"); // empty: none
    const auto en = InterfaceLanguage::English;
    const auto nl = InterfaceLanguage::Dutch;
    QTest::newRow("mail fails") << en << "mailButton" << false << "Error sending E-mail.";
    QTest::newRow("mail fails, Dutch")
        << nl << "mailButton" << false << "E-mail is in de fout gegaan.";
    QTest::newRow("home fails, Dutch") << nl << "homeButton" << false << "Browser niet geopend.";
    QTest::newRow("credit fails") << en << "creditLink" << false << "Browser not opened.";
    QTest::newRow("mail opens") << en << "mailButton" << true << "";
}

void AboutDialogTest::failedLinkIsReportedWhileWindowStaysOpen() {
    QFETCH(InterfaceLanguage, language);
    QFETCH(QString, control);
    QFETCH(bool, opens);
    QFETCH(QString, report);
    runAbout(language, [&] {
        m_test->links().linksOpen = opens;
        QTest::mouseClick(button(control.toLatin1().constData()), Qt::LeftButton);
        if (report.isEmpty()) {
            QTest::qWait(100); // the launcher's verdict comes from the event loop
            QVERIFY(!message()->isVisible());
        } else {
            QTRY_VERIFY(message()->isVisible());
            QCOMPARE(find<QTextEdit>("messageText")->toPlainText(), report);
        }
        QVERIFY(m_about->isVisible());
        button("okButton")->click();
    });
}

void AboutDialogTest::repeatedFailureIsReportedOnce() {
    runAbout(InterfaceLanguage::English, [&] {
        QSignalSpy ended(message(), &QDialog::finished);
        m_test->links().linksOpen = false;
        for (int click = 0; click < 20; ++click) {
            QTest::mouseClick(button("homeButton"), Qt::LeftButton);
            if (click % 2 == 0) {
                QCoreApplication::processEvents(); // some verdicts come in between clicks
            }
        }
        QTRY_VERIFY(message()->isVisible());
        QCOMPARE(m_test->links().opened.size(), std::size_t(20));
        // Not twenty reports in a row: once it has gone, nothing else is waiting.
        QTRY_VERIFY_WITH_TIMEOUT(!message()->isVisible(), 10000);
        QTest::qWait(200);
        QVERIFY(!message()->isVisible());
        QCOMPARE(ended.size(), 1);
        button("okButton")->click();
    });
}

void AboutDialogTest::viewsAndPointerLimit() {
    runAbout(InterfaceLanguage::English, [&] {
        QTRY_COMPARE(platform().confinement, std::optional<QRect>(clientArea()));
        QCOMPARE(m_about->focusWidget(), find<QWidget>("mainView"));
        // The author view keeps the limit, whatever paints.
        QTest::mouseClick(button("authorButton"), Qt::LeftButton);
        QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor - Author"));
        QVERIFY(find<QWidget>("mainView")->isHidden());
        m_about->repaint();
        QCoreApplication::processEvents();
        QCOMPARE(platform().confinement, std::optional<QRect>(clientArea()));
        // Escape leaves through the view's OK button: free, back in the main view, closed.
        QTest::keyClick(m_about, Qt::Key_Escape);
        QCOMPARE(platform().confinement, std::nullopt);
        QVERIFY(!m_about->isVisible());
        QVERIFY(!find<QWidget>("mainView")->isHidden());
        QCOMPARE(m_about->windowTitle(), Title::About);
    });
}

void AboutDialogTest::limitFollowsMove_data() {
    QTest::addColumn<bool>("authorView");
    QTest::newRow("main view") << false;
    QTest::newRow("author view") << true;
}

void AboutDialogTest::limitFollowsMove() {
    QFETCH(bool, authorView);
    runAbout(InterfaceLanguage::English, [&] {
        QTRY_COMPARE(platform().confinement, std::optional<QRect>(clientArea()));
        if (authorView) {
            QTest::mouseClick(button("authorButton"), Qt::LeftButton);
        }
        const QRect before = clientArea();
        m_about->move(m_about->pos() + QPoint(30, 20));
        QTRY_COMPARE(clientArea().topLeft(), before.topLeft() + QPoint(30, 20));
        QTRY_COMPARE(platform().confinement, std::optional<QRect>(clientArea()));
        button(authorView ? "authorOkButton" : "okButton")->click();
    });
}

void AboutDialogTest::everyControlHasAnAccessibleName() {
    runAbout(InterfaceLanguage::Dutch, [&] {
        QCOMPARE(WidgetTest::unnamedControls(*m_about), QString());
        QCOMPARE(WidgetTest::unnamedControls(*message()), QString());
        button("okButton")->click();
    });
}

QTEST_MAIN(AboutDialogTest)
#include "tst_aboutdialog.moc"
