#include "AboutDialog.h"

#include "AboutGlyph.h"
#include "AuthorDetails.h"
#include "LinkOpener.h"
#include "MailLink.h"
#include "MinimiseGuard.h"
#include "Platform.h"
#include "WidgetsLog.h"
#include "WindowPlacement.h"
#include "ui_AboutDialog.h"

#include <QGuiApplication>
#include <QStyle>
#include <QTextCursor>
#include <QWindow>

#include <utility>
#include <vector>

namespace {

// Not QString::arg(): a translation may leave the name out.
QString withName(QString text, const QString& name) {
    return text.replace(QLatin1String("%1"), name);
}

// A multi-line text that shows, never edits, on the window's button-face colour.
void makeStatic(QAbstractScrollArea* text) {
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    text->setPalette(palette);
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
      m_ui(std::make_unique<Ui::AboutDialog>()), m_platform(platform), m_links(links),
      m_info(info) {
    m_ui->setupUi(this);
    setUpFixedWindow(*this);
    m_ui->mainView->setBackgroundRole(QPalette::Button);
    makeStatic(m_ui->authorText);
    for (QPushButton* ok : {m_ui->okButton, m_ui->authorOkButton}) {
        ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    }
    m_ui->authorButton->setIcon(aboutGlyph());
    m_ui->okButton->setDefault(true);
    new MinimiseGuard(*this);
    fillTexts();

    // An OK button leaves its view, then ends the modal showing.
    connect(m_ui->okButton, &QPushButton::clicked, this, &AboutDialog::releasePointer);
    connect(m_ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->authorOkButton, &QPushButton::clicked, this, &AboutDialog::leaveAuthor);
    connect(m_ui->authorOkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->authorButton, &QPushButton::clicked, this, &AboutDialog::showAuthor);
    connect(m_ui->mailButton, &QPushButton::clicked, this, &AboutDialog::mailAuthor);
    connect(m_ui->homeButton, &QPushButton::clicked, this, &AboutDialog::openDownloadPage);
    connect(m_ui->creditLink, &QToolButton::clicked, this, &AboutDialog::openCreditPage);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &AboutDialog::onApplicationStateChanged);
}

AboutDialog::~AboutDialog() {
    if (m_confining) {
        releasePointer();
    }
}

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

void AboutDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Coming back to the window, by the keyboard or a task bar, takes the pointer again; so
    // does the end of a window manager's grab (a move), in either view.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (std::exchange(m_heldWhenLeft, false)) {
            confine();
        } else {
            onExposed();
        }
    }
}

void AboutDialog::onApplicationStateChanged(Qt::ApplicationState state) {
    // The user has gone to another program, which must have the mouse.
    if (state != Qt::ApplicationActive && m_confining) {
        releasePointer();
        m_heldWhenLeft = true;
    }
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    // The window holds the pointer when the window system exposes it: shown, or uncovered
    // by another window.  A control that merely redraws (hover, press) must not take back a
    // pointer that a link has just set free.
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        onExposed();
    }
    return QDialog::eventFilter(watched, event);
}

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
    confine();
}

void AboutDialog::confine() {
    // Both views fill the whole client area, so the limit is the window's own.
    const std::optional<QRect> area = m_platform.deviceGeometry(*this);
    m_confining = area && m_platform.confinePointer(area);
}

void AboutDialog::releasePointer() {
    m_platform.confinePointer(std::nullopt);
    m_confining = false;
    m_heldWhenLeft = false;
}

void AboutDialog::showEvent(QShowEvent* event) {
    centreOverParentOnce(*this);
    QDialog::showEvent(event);
    if (QWindow* handle = windowHandle()) {
        handle->installEventFilter(this); // once: installing again changes nothing
    }
}

void AboutDialog::hideEvent(QHideEvent* event) {
    releasePointer();
    QDialog::hideEvent(event);
}

void AboutDialog::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (m_confining) {
        confine(); // the limit follows the window, in either view
    }
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
    releasePointer();
    setWindowTitle(mainTitle());
    m_ui->mainView->show();
    m_ui->okButton->setDefault(true);
}

void AboutDialog::mailAuthor() {
    releasePointer();
    openLink(mailTarget(QLatin1String(AuthorDetails::mail),
                        mailSubject(m_info.name, m_info.version), mailLines(m_info.name)),
             tr("Error sending E-mail."));
}

void AboutDialog::openDownloadPage() {
    releasePointer();
    openLink(tr(AuthorDetails::downloadPage) + m_info.name, tr("Browser not opened."));
}

void AboutDialog::openCreditPage() {
    releasePointer();
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
