// The About window on the offscreen platform with the fake services: its texts, the exact
// link targets, the views and the pointer limit, and how a link's failure is reported.

#include "FakePlatform.h"
#include "WhileShowing.h"
#include "core/Language.h"
#include "forms/About.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <memory>

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void textsFollowLanguage_data();
    void textsFollowLanguage();
    void linkTargets_data();
    void linkTargets();
    void failedLinkIsReportedWhileWindowStaysOpen_data();
    void failedLinkIsReportedWhileWindowStaysOpen();
    void viewsAndPointerLimit();
    void everyControlHasAnAccessibleName();

private:
    void showAbout(const char* language);
    QAbstractButton* button(const QString& name) const {
        return m_about->findChild<QAbstractButton*>(name);
    }
    std::optional<ScreenRect> clientArea() const {
        const QPoint origin = m_about->mapToGlobal(QPoint(0, 0));
        return ScreenRect{origin.x(), origin.y(), 368, 257};
    }

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TAboutForm> m_about;
    std::unique_ptr<TMessageForm> m_message;
};

void AboutTest::showAbout(const char* language) {
    LanguageCode = language;
    m_platform = std::make_unique<FakePlatform>();
    m_main = std::make_unique<TMainForm>(*m_platform);
    MainForm = m_main.get();
    m_about = std::make_unique<TAboutForm>(*m_platform, *m_main);
    m_message = std::make_unique<TMessageForm>(m_main.get());
    MessageForm = m_message.get();
    m_about->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
}

void AboutTest::cleanup() {
    m_message.reset();
    m_about.reset();
    m_main.reset();
    m_platform.reset();
    LanguageCode.clear();
}

void AboutTest::textsFollowLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("thanks");
    QTest::addColumn<QString>("townLine");
    QTest::newRow("English") << ""
                             << "Tintor, version 1.00 - Information"
                             << "With thanks to               :"
                             << "9999 ZZ Voorbeeldstad, The Netherlands";
    QTest::newRow("Dutch") << "nld"
                           << "Tintor, versie 1.00a - Informatie"
                           << "Met dank aan               :"
                           << "9999 ZZ Voorbeeldstad";
}

void AboutTest::textsFollowLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, thanks);
    QFETCH(QString, townLine);
    showAbout(language.toLatin1().constData());
    QCOMPARE(m_about->windowTitle(), title);
    QCOMPARE(m_about->Label3->text(), thanks);
    QCOMPARE(m_about->VersionLabel->text(), m_main->VersionText);
    QCOMPARE(m_about->AuthorBtn->toolTip(), QStringLiteral("Toon auteur")); // both languages
    const QStringList author = m_about->AuthorMemo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(author.size(), 13);
    QCOMPARE(author.at(5), townLine);
}

void AboutTest::linkTargets_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    // Greeting, 3 separators, the program's line, 2, the comment line, 6, the closing line.
    QTest::newRow("mail, English")
        << ""
        << "MailBtn"
        << "mailto:korvan@example.org?Subject=Programma Tintor, version 1.00&Body=Hi Korvan"
           "%0D%0A%0D%0A%0D%0AOn you Home Page I found the program Tintor.%0D%0A%0D%0AI want "
           "to comment on this program:%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0AKind regards,";
    QTest::newRow("mail, Dutch")
        << "nld"
        << "MailBtn"
        << "mailto:korvan@example.org?Subject=Programma Tintor, versie 1.00a&Body=Hallo Korvan"
           "%0D%0A%0D%0A%0D%0AIk vond op je Home Page het programma Tintor.%0D%0A%0D%0AIk wil "
           "hierover het volgende kwijt:%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0AMet vriendelijke "
           "groet,";
    QTest::newRow("home, English") << ""
                                   << "HomeBtn"
                                   << "https://korvan.example.org/en/downloads.html#Tintor";
    QTest::newRow("home, Dutch") << "nld"
                                 << "HomeBtn"
                                 << "https://korvan.example.org/nl/downloads.html#Tintor";
    QTest::newRow("credit") << "nld"
                            << "SpeedButton1"
                            << "https://vos.example.org/";
}

void AboutTest::linkTargets() {
    QFETCH(QString, language);
    QFETCH(QString, control);
    QFETCH(QString, target);
    showAbout(language.toLatin1().constData());
    QTest::mouseClick(button(control), Qt::LeftButton);
    QCOMPARE(m_platform->opened, std::vector<QString>{target});
    QCOMPARE(m_platform->confinement, std::nullopt);
    QVERIFY(m_about->isVisible());
}

void AboutTest::failedLinkIsReportedWhileWindowStaysOpen_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("report"); // empty: none
    QTest::newRow("mail fails") << ""
                                << "MailBtn" << false << "Error sending E-mail.";
    QTest::newRow("mail fails, Dutch") << "nld"
                                       << "MailBtn" << false << "E-mail is in de fout gegaan.";
    QTest::newRow("home fails, Dutch") << "nld"
                                       << "HomeBtn" << false << "Browser niet geopend.";
    QTest::newRow("credit fails") << ""
                                  << "SpeedButton1" << false << "Browser not opened.";
    QTest::newRow("mail opens") << ""
                                << "MailBtn" << true << "";
}

void AboutTest::failedLinkIsReportedWhileWindowStaysOpen() {
    QFETCH(QString, language);
    QFETCH(QString, control);
    QFETCH(bool, opens);
    QFETCH(QString, report);
    showAbout(language.toLatin1().constData());
    m_platform->shellOpens = opens;
    QString shown;
    int interval = 0;
    bool aboutOpen = false;
    WhileShowing probe(*m_message, [&] {
        shown = m_message->MessageMemo->toPlainText();
        interval = m_message->Timer->isActive() ? m_message->Timer->interval() : 0;
        aboutOpen = m_about->isVisible();
        m_message->TimerTimer();
    });
    QTest::mouseClick(button(control), Qt::LeftButton);
    QTest::qWait(50); // the launcher's verdict comes from the event loop
    QCOMPARE(probe.showings, report.isEmpty() ? 0 : 1);
    QCOMPARE(shown, report);
    QCOMPARE(interval, report.isEmpty() ? 0 : 3000);
    QCOMPARE(aboutOpen, !report.isEmpty());
    QVERIFY(m_about->isVisible());
}

void AboutTest::viewsAndPointerLimit() {
    showAbout("");
    QCOMPARE(m_platform->confinement, clientArea());
    QCOMPARE(m_about->focusWidget(), m_about->MainPanel);
    // The author view keeps the limit, whatever paints.
    QTest::mouseClick(m_about->AuthorBtn, Qt::LeftButton);
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor - Author"));
    m_about->FormPaint();
    QCOMPARE(m_platform->confinement, clientArea());
    // Escape leaves through the view's OK button: free, back in the main view, closed.
    QTest::keyClick(m_about.get(), Qt::Key_Escape);
    QCOMPARE(m_platform->confinement, std::nullopt);
    QVERIFY(!m_about->isVisible());
    QVERIFY(!m_about->MainPanel->isHidden());
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor, version 1.00 - Information"));
}

void AboutTest::everyControlHasAnAccessibleName() {
    showAbout("nld");
    for (QWidget* window :
         {static_cast<QWidget*>(m_about.get()), static_cast<QWidget*>(m_message.get())}) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            // Only what a user can reach or read: buttons, texts and text boxes.
            if (qobject_cast<QAbstractButton*>(control) == nullptr &&
                !control->inherits("QLabel") && !control->inherits("QAbstractScrollArea")) {
                continue;
            }
            if (control->parent() != window &&
                !control->parentWidget()->objectName().endsWith("Panel")) {
                continue; // the parts of a compound control
            }
            if (!control->isVisibleTo(window) || control->size().isEmpty()) {
                continue; // the mail template, never shown
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(accessible != nullptr && !accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(control->objectName()));
        }
    }
}

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
