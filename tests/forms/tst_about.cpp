// The About window on the offscreen platform with the fake services: its texts in both
// languages, the exact link targets, the pointer limit through both views, and a failed
// link reported in the message window while the About window stays open.

#include "FakePlatform.h"
#include "WhileShowing.h"
#include "core/Language.h"
#include "forms/About.h"
#include "forms/MessForm.h"
#include "forms/TintorMain.h"

#include <QAccessible>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QString EnglishMail = QStringLiteral(
    "mailto:korvan@example.org?Subject=Programma Tintor, version 1.00&Body=Hi Korvan%0D%0A%0D%0A"
    "%0D%0AOn you Home Page I found the program Tintor.%0D%0A%0D%0AI want to comment on this "
    "program:%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0AKind regards,");
const QString DutchMail = QStringLiteral(
    "mailto:korvan@example.org?Subject=Programma Tintor, versie 1.00a&Body=Hallo Korvan%0D%0A"
    "%0D%0A%0D%0AIk vond op je Home Page het programma Tintor.%0D%0A%0D%0AIk wil hierover het "
    "volgende kwijt:%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0AMet vriendelijke groet,");

} // namespace

class AboutTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void textsFollowLanguage_data();
    void textsFollowLanguage();
    void linkTargets_data();
    void linkTargets();
    void pointerLimitThroughBothViews();
    void keyboardLeavesThroughTheViewsOkButton();
    void aboutButtonShowsModallyCentredFirstTimeOnly();
    void failedLinkShowsItsTextWhileWindowStaysOpen_data();
    void failedLinkShowsItsTextWhileWindowStaysOpen();
    void openedLinkShowsNothing();
    void everyControlHasAnAccessibleName();

private:
    void makeForms(const char* language);
    void showAbout();
    QAbstractButton* button(const QString& name) const;
    [[nodiscard]] ScreenRect clientArea() const;

    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<TMainForm> m_main;
    std::unique_ptr<TAboutForm> m_about;
    std::unique_ptr<TMessageForm> m_message;
};

void AboutTest::makeForms(const char* language) {
    cleanup();
    LanguageCode = language;
    m_platform = std::make_unique<FakePlatform>();
    m_main = std::make_unique<TMainForm>(*m_platform);
    m_main->PickTmr->stop();
    MainForm = m_main.get();
    m_about = std::make_unique<TAboutForm>(*m_platform, *m_main);
    AboutForm = m_about.get();
    m_message = std::make_unique<TMessageForm>(m_main.get());
    MessageForm = m_message.get();
}

void AboutTest::cleanup() {
    m_message.reset();
    m_about.reset();
    m_main.reset();
    m_platform.reset();
    LanguageCode.clear();
}

void AboutTest::showAbout() {
    m_about->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
}

QAbstractButton* AboutTest::button(const QString& name) const {
    return m_about->findChild<QAbstractButton*>(name);
}

ScreenRect AboutTest::clientArea() const {
    const QPoint origin = m_about->mapToGlobal(QPoint(0, 0));
    return {origin.x(), origin.y(), 368, 257};
}

void AboutTest::textsFollowLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label3");
    QTest::addColumn<QString>("homeHint");
    QTest::addColumn<QString>("townLine");
    QTest::newRow("English") << ""
                             << "Tintor, version 1.00 - Information"
                             << "Tintor picks the screen color and shows the "
                             << "With thanks to               :"
                             << "Download the newest version of Tintor"
                             << "9999 ZZ Voorbeeldstad, The Netherlands";
    QTest::newRow("Dutch") << "nld"
                           << "Tintor, versie 1.00a - Informatie"
                           << "Tintor pakt de schermkleur op en toont de"
                           << "Met dank aan               :"
                           << "Ga naar mijn Home Page"
                           << "9999 ZZ Voorbeeldstad";
}

void AboutTest::textsFollowLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, title);
    QFETCH(QString, label1);
    QFETCH(QString, label3);
    QFETCH(QString, homeHint);
    QFETCH(QString, townLine);
    makeForms(language.toLatin1().constData());
    QCOMPARE(m_about->windowTitle(), title);
    QCOMPARE(m_about->Label1->text(), label1);
    QCOMPARE(m_about->Label3->text(), label3);
    QCOMPARE(m_about->HomeBtn->toolTip(), homeHint);
    QCOMPARE(m_about->VersionLabel->text(), m_main->VersionText);
    QCOMPARE(m_about->CopyrightLabel->text(), m_main->CopyrightText);
    // Laid out, not chosen: the same in both languages.
    QCOMPARE(m_about->AuthorBtn->toolTip(), QStringLiteral("Toon auteur"));
    QCOMPARE(m_about->MailBtn->text(), QStringLiteral("Mail"));
    const QStringList author = m_about->AuthorMemo->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(author.size(), 13);
    QCOMPARE(author.at(5), townLine);
    QCOMPARE(author.at(8), QStringLiteral("korvan@example.org"));
    QCOMPARE(m_about->MailMemo->toPlainText().split(QLatin1Char('\n')).size(), 12);
}

void AboutTest::linkTargets_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("target");
    QTest::newRow("mail, English") << ""
                                   << "MailBtn" << EnglishMail;
    QTest::newRow("mail, Dutch") << "nld"
                                 << "MailBtn" << DutchMail;
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
    makeForms(language.toLatin1().constData());
    showAbout();
    QTest::mouseClick(button(control), Qt::LeftButton);
    QCOMPARE(m_platform->opened, std::vector<QString>{target});
    QCOMPARE(target.count(QStringLiteral("%0D%0A")), control == "MailBtn" ? 11 : 0);
}

void AboutTest::pointerLimitThroughBothViews() {
    makeForms("");
    showAbout();
    // Shown: the limit is the client area, which the panel covers; the panel has the focus.
    QCOMPARE(m_platform->confinement, std::optional{clientArea()});
    QCOMPARE(m_about->focusWidget(), m_about->MainPanel);

    // A link frees the pointer and leaves the window open.
    QTest::mouseClick(m_about->HomeBtn, Qt::LeftButton);
    QCOMPARE(m_platform->confinement, std::nullopt);
    QVERIFY(m_about->isVisible());
    m_about->FormPaint(); // the next painting of the main view sets it again
    QCOMPARE(m_platform->confinement, std::optional{clientArea()});

    // The author view keeps the limit and leaves it standing through its paintings.
    QTest::mouseClick(m_about->AuthorBtn, Qt::LeftButton);
    QVERIFY(m_about->MainPanel->isHidden());
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor - Author"));
    const std::size_t requests = m_platform->clipping.size();
    m_about->FormPaint();
    QCOMPARE(m_platform->clipping.size(), requests);
    QCOMPARE(m_platform->confinement, std::optional{clientArea()});

    // OKBtn1 frees it, restores the main view and its title, and closes the window.
    QTest::mouseClick(m_about->OKBtn1, Qt::LeftButton);
    QCOMPARE(m_platform->confinement, std::nullopt);
    QVERIFY(!m_about->isVisible());
    QCOMPARE(m_about->result(), int(QDialog::Accepted));
    QVERIFY(!m_about->MainPanel->isHidden());
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor, version 1.00 - Information"));

    // The next showing starts in the main view, held again; OKBtn frees it and closes.
    showAbout();
    QCOMPARE(m_platform->confinement, std::optional{clientArea()});
    QTest::mouseClick(m_about->OKBtn, Qt::LeftButton);
    QCOMPARE(m_platform->confinement, std::nullopt);
    QVERIFY(!m_about->isVisible());
}

void AboutTest::keyboardLeavesThroughTheViewsOkButton() {
    makeForms("nld");
    showAbout();
    QTest::mouseClick(m_about->AuthorBtn, Qt::LeftButton);
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor - Auteur"));
    QTest::keyClick(m_about.get(), Qt::Key_Escape);
    QVERIFY(!m_about->isVisible());
    QCOMPARE(m_platform->confinement, std::nullopt);
    QVERIFY(!m_about->MainPanel->isHidden());
    QCOMPARE(m_about->windowTitle(), QStringLiteral("Tintor, versie 1.00a - Informatie"));
    showAbout();
    QTest::keyClick(m_about.get(), Qt::Key_Return); // the default button: OKBtn
    QVERIFY(!m_about->isVisible());
    QCOMPARE(m_platform->confinement, std::nullopt);
}

void AboutTest::aboutButtonShowsModallyCentredFirstTimeOnly() {
    makeForms("");
    m_main->move(300, 200);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    QPoint shownAt;
    bool modal = false;
    WhileShowing probe(*m_about, [&] {
        shownAt = m_about->pos();
        modal = QApplication::activeModalWidget() == m_about.get();
        m_about->OKBtn->click();
    });
    const QRect owner = m_main->frameGeometry();
    const QPoint centred(owner.left() + (owner.width() - 368) / 2,
                         owner.top() + (owner.height() - 257) / 2);
    QTest::mouseClick(m_main->SpeedAbout, Qt::LeftButton);
    QCOMPARE(probe.showings, 1);
    QVERIFY(modal);
    QCOMPARE(shownAt, centred);
    QVERIFY(!m_about->isVisible());
    m_main->move(500, 400);
    QTest::mouseClick(m_main->SpeedAbout, Qt::LeftButton);
    QCOMPARE(probe.showings, 2);
    QCOMPARE(shownAt, centred);
}

void AboutTest::failedLinkShowsItsTextWhileWindowStaysOpen_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("mail, English") << ""
                                   << "MailBtn"
                                   << "Error sending E-mail.";
    QTest::newRow("mail, Dutch") << "nld"
                                 << "MailBtn"
                                 << "E-mail is in de fout gegaan.";
    QTest::newRow("home, Dutch") << "nld"
                                 << "HomeBtn"
                                 << "Browser niet geopend.";
    QTest::newRow("credit, English") << ""
                                     << "SpeedButton1"
                                     << "Browser not opened.";
}

void AboutTest::failedLinkShowsItsTextWhileWindowStaysOpen() {
    QFETCH(QString, language);
    QFETCH(QString, control);
    QFETCH(QString, text);
    makeForms(language.toLatin1().constData());
    m_platform->shellOpens = false;
    showAbout();
    QString shownText;
    int interval = 0;
    int height = 0;
    bool aboutOpen = false;
    WhileShowing probe(*m_message, [&] {
        shownText = m_message->MessageMemo->toPlainText();
        interval = m_message->Timer->isActive() ? m_message->Timer->interval() : 0;
        height = m_message->height();
        aboutOpen = m_about->isVisible();
        m_message->TimerTimer();
    });
    QTest::mouseClick(button(control), Qt::LeftButton);
    QTRY_COMPARE(probe.showings, 1);
    QCOMPARE(shownText, text);
    QCOMPARE(interval, 3000);
    QCOMPARE(height, 78);
    QVERIFY(aboutOpen);
    QVERIFY(m_about->isVisible());
    QVERIFY(!m_about->MainPanel->isHidden());
}

void AboutTest::openedLinkShowsNothing() {
    makeForms("");
    showAbout();
    WhileShowing probe(*m_message, [this] { m_message->TimerTimer(); });
    QTest::mouseClick(m_about->MailBtn, Qt::LeftButton);
    QCOMPARE(m_platform->opened.size(), std::size_t{1});
    QTest::qWait(50);
    QCOMPARE(probe.showings, 0);
    QVERIFY(m_about->isVisible());
}

void AboutTest::everyControlHasAnAccessibleName() {
    makeForms("nld");
    showAbout();
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
