#include "AboutDialog.h"

#include "AboutGlyph.h"
#include "AuthorDetails.h"
#include "FormFonts.h"
#include "LinkOpener.h"
#include "MailLink.h"
#include "MinimiseGuard.h"
#include "PointerHold.h"
#include "WidgetsLog.h"
#include "WindowPlacement.h"
#include "ui_AboutDialog.h"

#include <QGuiApplication>
#include <QStyle>
#include <QTextCursor>

#include <vector>

namespace {

// Not QString::arg(): a translation may leave the name out.
QString withName(QString text, const QString& name) {
    return text.replace(QLatin1String("%1"), name);
}

// The mail's body, line by line; the empty lines leave the user room to write.
QStringList mailLines(const QString& name) {
    return {AboutDialog::tr("Hi Korvan"),
            {},
            {},
            withName(AboutDialog::tr("On you Home Page I found the program %1."), name),
            {},
            AboutDialog::tr("I want to comment on this program:"),
            {},
            {},
            {},
            {},
            {},
            AboutDialog::tr("Kind regards,")};
}

QStringList authorLines(const QString& name) {
    using namespace AuthorDetails;
    return {{},
            withName(AboutDialog::tr("The program %1 has been written by:"), name),
            {},
            QString::fromUtf8(fullName),
            QString::fromUtf8(street),
            AboutDialog::tr(townAndCountry),
            AboutDialog::tr(phone),
            {},
            QString::fromUtf8(mail),
            AboutDialog::tr(homePage),
            {},
            AboutDialog::tr("Please try my other programs."),
            AboutDialog::tr("Mail or write for further information!")};
}

} // namespace

AboutDialog::AboutDialog(Platform& platform, LinkOpener& links, const AppInfo& info,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::AboutDialog>()), m_links(links), m_info(info),
      m_pointerHold(new PointerHold(platform, *this)) {
    setupWithFormFonts(*m_ui, this);
    setUpFixedWindow(*this);
    m_ui->mainView->setBackgroundRole(QPalette::Button);
    showOnButtonFace(*m_ui->authorText);
    for (QPushButton* ok : {m_ui->okButton, m_ui->authorOkButton}) {
        ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    }
    m_ui->authorButton->setIcon(aboutGlyph());
    m_ui->okButton->setDefault(true);
    new MinimiseGuard(*this);
    fillTexts();

    // An OK button leaves its view, then ends the modal showing.
    connect(m_ui->okButton, &QPushButton::clicked, m_pointerHold, &PointerHold::release);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->authorOkButton, &QPushButton::clicked, this, &AboutDialog::leaveAuthor);
    connect(m_ui->authorOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->authorButton, &QPushButton::clicked, this, &AboutDialog::showAuthor);
    connect(m_ui->mailButton, &QPushButton::clicked, this, &AboutDialog::mailAuthor);
    connect(m_ui->homeButton, &QPushButton::clicked, this, &AboutDialog::openDownloadPage);
    connect(m_ui->creditLink, &QToolButton::clicked, this, &AboutDialog::openCreditPage);
    connect(m_pointerHold, &PointerHold::exposed, this, &AboutDialog::onExposed);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::fillTexts() {
    const QString& name = m_info.name;
    m_ui->nameLabel->setText(name);
    m_ui->versionLabel->setText(m_info.version);
    m_ui->copyrightLabel->setText(m_info.copyright);
    setWindowTitle(mainTitle());
    m_ui->descriptionLine1->setText(withName(tr("%1 picks the screen color and shows the "), name));
    m_ui->mailButton->setToolTip(withName(tr("Contact the author of %1"), name));
    m_ui->homeButton->setToolTip(withName(tr("Download the newest version of %1"), name));

    m_ui->authorText->setPlainText(authorLines(name).join(QLatin1Char('\n')));
    QTextCursor all(m_ui->authorText->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

QString AboutDialog::mainTitle() const {
    return m_info.title() + tr(" - Information");
}

// The main view holds the pointer whenever the window system exposes it, until the user
// leaves through one of its buttons.
void AboutDialog::onExposed() {
    // While another program is active the pointer stays free.
    if (m_ui->mainView->isHidden() ||
        QGuiApplication::applicationState() != Qt::ApplicationActive) {
        return;
    }
    // The main view takes the focus unless a control on it holds it already, so a keyboard
    // user keeps their place.
    if (!m_ui->mainView->isAncestorOf(focusWidget())) {
        m_ui->mainView->setFocus();
    }
    m_pointerHold->hold();
}

void AboutDialog::showEvent(QShowEvent* event) {
    centreOverParentOnce(*this);
    QDialog::showEvent(event);
}

void AboutDialog::reject() {
    // Escape and the window manager's close leave through the view's OK button, like a click.
    (m_ui->mainView->isHidden() ? m_ui->authorOkButton : m_ui->okButton)->click();
}

void AboutDialog::showAuthor() {
    // The limit stays: the author view has the same area.
    m_ui->mainView->hide();
    setWindowTitle(m_info.name + tr(" - Author"));
    m_ui->authorOkButton->setDefault(true);
}

void AboutDialog::leaveAuthor() {
    m_pointerHold->release();
    setWindowTitle(mainTitle());
    m_ui->mainView->show();
    m_ui->okButton->setDefault(true);
}

void AboutDialog::mailAuthor() {
    m_pointerHold->release();
    openLink(mailTarget(QLatin1String(AuthorDetails::mail),
                        mailSubject(m_info.name, m_info.version), mailLines(m_info.name)),
             tr("Error sending E-mail."));
}

void AboutDialog::openDownloadPage() {
    m_pointerHold->release();
    openLink(tr(AuthorDetails::downloadPage) + m_info.name, tr("Browser not opened."));
}

void AboutDialog::openCreditPage() {
    m_pointerHold->release();
    openLink(QString::fromUtf8(AuthorDetails::creditPage), tr("Browser not opened."));
}

void AboutDialog::openLink(const QString& url, const QString& failure) {
    // The launcher's verdict comes later; the window stays open and usable meanwhile.
    m_links.open(*this, url, [this, failure](const Result<void>& opened) {
        if (!opened) {
            // The user reads the short report; the log keeps the launcher's reason.
            qCWarning(lcWidgets).noquote() << "link not opened:" << opened.error();
            emit linkFailed(failure);
        }
    });
}
