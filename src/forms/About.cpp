#include "About.h"

#include "AboutLayout.h"
#include "Glyphs.h"
#include "MessForm.h"
#include "TintorMain.h"
#include "core/MailLink.h"
#include "core/MessageMetrics.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <QWindow>

#include <string>
#include <vector>

TAboutForm* AboutForm = nullptr;

namespace {

// The text of the interface language, with "%1" standing for the program's name.
template <std::size_t N>
QStringList chosenLines(const std::array<BiText, N>& lines, const QString& programName) {
    QStringList chosen;
    for (const BiText& line : lines) {
        chosen << QString::fromUtf8(Choose(line)).replace(QLatin1String("%1"), programName);
    }
    return chosen;
}

QString chosen(const BiText& text, const QString& programName = {}) {
    return chosenLines(std::array{text}, programName).constFirst();
}

template <typename T> T* place(QWidget* window, const char* name) {
    return FormLayout::place<T>(window, AboutFormLayout(), name);
}

template <typename T> T* placeWithText(QWidget* window, const char* name) {
    return FormLayout::placeWithText<T>(window, AboutFormLayout(), name);
}

// A label that centres its text in its box.
QLabel* placeLabel(QWidget* window, const char* name) {
    auto* label = place<QLabel>(window, name);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QFrame* placeBevel(QWidget* window, const char* name, QFrame::Shape shape) {
    auto* bevel = place<QFrame>(window, name);
    bevel->setFrameStyle(shape | QFrame::Sunken);
    bevel->setLineWidth(1);
    return bevel;
}

QPushButton* placeOkButton(QWidget* window, const char* name) {
    auto* button = placeWithText<QPushButton>(window, name);
    button->setIcon(window->style()->standardIcon(QStyle::SP_DialogOkButton));
    return button;
}

// A multi-line text that shows, never edits, on the window's button-face colour.
template <typename T> void makeStatic(T* memo) {
    memo->setReadOnly(true);
    memo->setFrameStyle(QFrame::NoFrame);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    memo->setPalette(palette);
}

} // namespace

TAboutForm::TAboutForm(PlatformServices& platform, TMainForm& mainForm)
    : QDialog(&mainForm, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowStaysOnTopHint),
      m_platform(platform), m_mainForm(mainForm) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("Informatie"));
    FormLayout::applyWindow(this, AboutFormLayout());
    QFont windowFont = font();
    windowFont.setStyleHint(QFont::Serif);
    setFont(windowFont);
    setBackgroundRole(QPalette::Button);
    createControls();
    FormLayout::applyTabOrder(this, AboutFormLayout());
    connectHandlers();
    FormCreate();
}

TAboutForm::~TAboutForm() {
    if (m_confining) {
        liftConfinement();
    }
    if (AboutForm == this) {
        AboutForm = nullptr;
    }
}

void TAboutForm::createControls() {
    AuthorMemo = place<QTextEdit>(this, "AuthorMemo");
    makeStatic(AuthorMemo);
    AuthorMemo->setAcceptRichText(false);
    OKBtn1 = placeOkButton(this, "OKBtn1");

    MainPanel = place<QFrame>(this, "MainPanel");
    MainPanel->setFrameStyle(QFrame::Box | QFrame::Raised); // raised outside, lowered inside
    MainPanel->setLineWidth(2);
    MainPanel->setBackgroundRole(QPalette::Button);
    MainPanel->setAutoFillBackground(true); // hides the author view beneath
    MainPanel->setFocusPolicy(Qt::StrongFocus);
    NameLabel = placeLabel(this, "NameLabel");
    VersionLabel = placeLabel(this, "VersionLabel");
    Bevel1 = placeBevel(this, "Bevel1", QFrame::Box);
    Label3 = placeLabel(this, "Label3");
    SpeedButton1 = placeWithText<QToolButton>(this, "SpeedButton1");
    SpeedButton1->setAutoRaise(true);
    Bevel3 = placeBevel(this, "Bevel3", QFrame::Box);
    CopyrightLabel = placeLabel(this, "CopyrightLabel");
    AuthorBtn = place<QPushButton>(this, "AuthorBtn");
    AuthorBtn->setIcon(AboutGlyph());
    AuthorBtn->setIconSize(QSize(16, 16));
    Bevel2 = placeBevel(this, "Bevel2", QFrame::Panel);
    Label1 = placeLabel(this, "Label1");
    Label2 = placeLabel(this, "Label2");
    MailBtn = placeWithText<QPushButton>(this, "MailBtn");
    OKBtn = placeOkButton(this, "OKBtn");
    HomeBtn = placeWithText<QPushButton>(this, "HomeBtn");
    MailMemo = place<QPlainTextEdit>(this, "MailMemo");
    MailMemo->hide();
    OKBtn->setDefault(true);
}

void TAboutForm::connectHandlers() {
    // An OK button runs its handler, then ends the modal showing.
    connect(OKBtn, &QPushButton::clicked, this, &TAboutForm::OKBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(OKBtn1, &QPushButton::clicked, this, &TAboutForm::OKBtn1Click);
    connect(OKBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(AuthorBtn, &QPushButton::clicked, this, &TAboutForm::AuthorBtnClick);
    connect(MailBtn, &QPushButton::clicked, this, &TAboutForm::MailBtnClick);
    connect(HomeBtn, &QPushButton::clicked, this, &TAboutForm::HomeBtnClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAboutForm::SpeedButton1Click);
}

void TAboutForm::FormCreate() {
    const QString& name = m_mainForm.ProgramName;
    NameLabel->setText(name);
    VersionLabel->setText(m_mainForm.VersionText);
    CopyrightLabel->setText(m_mainForm.CopyrightText);

    setWindowTitle(m_mainForm.windowTitle() + chosen(AboutTexts::TitleSuffix));
    Label1->setText(chosen(AboutTexts::Label1, name));
    Label2->setText(chosen(AboutTexts::Label2));
    Label3->setText(chosen(AboutTexts::Label3));
    MailBtn->setToolTip(chosen(AboutTexts::MailBtnHint, name));
    HomeBtn->setToolTip(chosen(AboutTexts::HomeBtnHint, name));
    OKBtn->setToolTip(chosen(AboutTexts::OKBtnHint));
    OKBtn1->setToolTip(chosen(AboutTexts::OKBtn1Hint));

    MailMemo->setPlainText(chosenLines(AboutTexts::MailTemplate, name).join(QLatin1Char('\n')));

    AuthorMemo->setPlainText(chosenLines(AboutTexts::AuthorLines, name).join(QLatin1Char('\n')));
    QTextCursor all(AuthorMemo->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    // The window paints itself when the window system exposes it: shown, or uncovered by
    // another window.  A control that merely redraws (hover, press) is not the window
    // painting, and must not take back a pointer that a link has just set free.
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        FormPaint();
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::FormPaint() {
    if (MainPanel->isHidden()) {
        return;
    }
    // The panel takes the focus unless a control on it holds it already, so a keyboard
    // user keeps their place.
    if (!MainPanel->isAncestorOf(focusWidget())) {
        MainPanel->setFocus();
    }
    confine();
}

void TAboutForm::confine() {
    const std::optional<ScreenRect> area = m_platform.GetWindowRect(*MainPanel);
    m_confining = area && m_platform.ClipCursor(area);
}

void TAboutForm::liftConfinement() {
    m_platform.ClipCursor(std::nullopt);
    m_confining = false;
}

void TAboutForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWindow* handle = windowHandle()) {
        handle->installEventFilter(this); // once: installing again changes nothing
    }
    // Centred over the main window the first time only; later showings keep the place.
    if (!testAttribute(Qt::WA_Moved)) {
        const QRect owner = m_mainForm.frameGeometry();
        move(CentredStart(owner.left(), owner.width(), width()),
             CentredStart(owner.top(), owner.height(), height()));
    }
}

void TAboutForm::hideEvent(QHideEvent* event) {
    liftConfinement();
    QDialog::hideEvent(event);
}

void TAboutForm::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (m_confining) {
        confine(); // a window manager placed the window after it was shown
    }
}

void TAboutForm::reject() {
    // Escape and the window manager's close leave through the view's OK button, like a click.
    (MainPanel->isHidden() ? OKBtn1 : OKBtn)->click();
}

void TAboutForm::OKBtnClick() {
    liftConfinement();
}

void TAboutForm::AuthorBtnClick() {
    // The limit stays: the author view has the same area.
    MainPanel->hide();
    setWindowTitle(m_mainForm.ProgramName + chosen(AboutTexts::AuthorTitleSuffix));
    OKBtn1->setDefault(true);
}

void TAboutForm::OKBtn1Click() {
    liftConfinement();
    setWindowTitle(m_mainForm.windowTitle() + chosen(AboutTexts::TitleSuffix));
    MainPanel->show();
    OKBtn->setDefault(true);
}

void TAboutForm::MailBtnClick() {
    liftConfinement();
    const std::string subject =
        MailSubject(m_mainForm.ProgramName.toStdString(), m_mainForm.VersionText.toStdString());
    std::vector<std::string> body;
    for (const QString& line : MailMemo->toPlainText().split(QLatin1Char('\n'))) {
        body.push_back(line.toStdString());
    }
    openLink(QString::fromStdString(MailTarget(Author::Mail, subject, body)),
             AboutTexts::MailFailed);
}

void TAboutForm::HomeBtnClick() {
    liftConfinement();
    openLink(chosen(AboutTexts::DownloadPage) + m_mainForm.ProgramName, AboutTexts::BrowserFailed);
}

void TAboutForm::SpeedButton1Click() {
    liftConfinement();
    openLink(QString::fromUtf8(Author::CreditPage), AboutTexts::BrowserFailed);
}

void TAboutForm::openLink(const QString& target, const BiText& failure) {
    // The launcher's verdict comes later; the window stays open and usable meanwhile.
    const QString failureText = chosen(failure);
    m_platform.ShellExecute(*this, target, [failureText](bool opened) {
        if (!opened && MessageForm != nullptr) {
            MessageForm->ShowTimedMessage(failureText, QString(), 3000);
        }
    });
}
