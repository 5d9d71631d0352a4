#include "TintorMain.h"

#include "About.h"
#include "ErrorBox.h"
#include "Glyphs.h"
#include "PaintBox.h"
#include "ThinTrackBar.h"
#include "TintorMainLayout.h"
#include "UpDown.h"
#include "core/ColourMaths.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

TMainForm* MainForm = nullptr;

namespace {

QString text(const BiText& bi) {
    return QString::fromUtf8(Choose(bi));
}

template <typename T> T* place(QWidget* window, const char* name) {
    return FormLayout::place<T>(window, MainFormLayout(), name);
}

template <typename T> T* placeWithText(QWidget* window, const char* name) {
    return FormLayout::placeWithText<T>(window, MainFormLayout(), name);
}

QLineEdit* placeEdit(QWidget* window, const char* name) {
    auto* edit = placeWithText<QLineEdit>(window, name);
    const int maxLength = FormLayout::row(MainFormLayout(), name).maxLength;
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    return edit;
}

QLineEdit* placeOutput(QWidget* window, const char* name) {
    auto* edit = placeEdit(window, name);
    edit->setReadOnly(true);
    edit->setFrame(false);
    edit->setTextMargins(0, 0, 0, 0);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit->setPalette(palette);
    return edit;
}

QFrame* placePanel(QWidget* window, const char* name) {
    auto* panel = place<QFrame>(window, name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    return panel;
}

} // namespace

TMainForm::TMainForm(PlatformServices& platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_platform(platform) {
    setObjectName(QStringLiteral("MainForm"));
    FormLayout::applyWindow(this, MainFormLayout());
    setBackgroundRole(QPalette::Button);
    createControls();
    FormLayout::applyTabOrder(this, MainFormLayout());
    connectHandlers();
    FormCreate();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect desktop = screen->geometry();
        move(desktop.center() - QPoint(width() / 2, height() / 2));
    }
}

TMainForm::~TMainForm() {
    if (MainForm == this) {
        MainForm = nullptr;
    }
}

void TMainForm::createControls() {
    MagBox = place<TPaintBox>(this, "MagBox");
    TrackR = place<TThinTrackBar>(this, "TrackR");
    TrackG = place<TThinTrackBar>(this, "TrackG");
    TrackB = place<TThinTrackBar>(this, "TrackB");
    EditR = placeEdit(this, "EditR");
    UpDownR = place<TUpDown>(this, "UpDownR");
    EditG = placeEdit(this, "EditG");
    UpDownG = place<TUpDown>(this, "UpDownG");
    EditB = placeEdit(this, "EditB");
    UpDownB = place<TUpDown>(this, "UpDownB");
    PanelR = placePanel(this, "PanelR");
    RedBox = place<TPaintBox>(this, "RedBox");
    PanelG = placePanel(this, "PanelG");
    GreenBox = place<TPaintBox>(this, "GreenBox");
    PanelB = placePanel(this, "PanelB");
    BlueBox = place<TPaintBox>(this, "BlueBox");
    CoordsLbl = placeWithText<QLabel>(this, "CoordsLbl");
    CoordsLbl->setWordWrap(true);
    CoordsLbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    HTMLOutLbl = placeWithText<QLabel>(this, "HTMLOutLbl");
    HTMLOutEdit = placeOutput(this, "HTMLOutEdit");
    WebOutLbl = placeWithText<QLabel>(this, "WebOutLbl");
    WebOutEdit = placeOutput(this, "WebOutEdit");
    ColourPnl = place<TPaintBox>(this, "ColourPnl");
    SolidColPnl = place<TPaintBox>(this, "SolidColPnl");
    OptBtn = place<QPushButton>(this, "OptBtn");
    SpeedAbout = place<QToolButton>(this, "SpeedAbout");
    SpeedAbout->setAutoRaise(true);
    SpeedAbout->setIcon(AboutGlyph());
    PFSBtn = place<QPushButton>(this, "PFSBtn");
    PickTmr = new QTimer(this);
    PickTmr->setObjectName(QStringLiteral("PickTmr"));
    PickTmr->setInterval(50);
    m_activationNotice = new QTimer(this);
    m_activationNotice->setSingleShot(true);
    m_activationNotice->setInterval(0);
}

void TMainForm::connectHandlers() {
    for (TThinTrackBar* track : {TrackR, TrackG, TrackB}) {
        connect(track, &TThinTrackBar::changed, this, [this, track] { TrackChange(track); });
    }
    for (QLineEdit* edit : {EditR, EditG, EditB}) {
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { ColEditChange(edit); });
    }
    connect(UpDownR, &TUpDown::clicked, this, &TMainForm::UpDownRClick);
    connect(UpDownG, &TUpDown::clicked, this, &TMainForm::UpDownGClick);
    connect(UpDownB, &TUpDown::clicked, this, &TMainForm::UpDownBClick);
    for (TPaintBox* box : {RedBox, GreenBox, BlueBox}) {
        connect(box, &TPaintBox::painting, this,
                [this, box](QPainter& painter) { OutBoxPaint(box, painter); });
    }
    connect(ColourPnl, &TPaintBox::painting, this, &TMainForm::ColourPnlPaint);
    connect(SolidColPnl, &TPaintBox::painting, this, &TMainForm::SolidColPnlPaint);
    connect(SolidColPnl, &TPaintBox::doubleClicked, this, &TMainForm::SolidColPnlDblClick);
    connect(MagBox, &TPaintBox::painting, this, &TMainForm::MagBoxPaint);
    connect(PickTmr, &QTimer::timeout, this, &TMainForm::PickTmrTimer);
    connect(PFSBtn, &QPushButton::clicked, this, &TMainForm::PFSBtnClick);
    connect(OptBtn, &QPushButton::clicked, this,
            [this] { RunHandler(this, [this] { OptBtnClick(); }); });
    connect(SpeedAbout, &QToolButton::clicked, this, &TMainForm::SpeedAboutClick);
    connect(m_activationNotice, &QTimer::timeout, this, &TMainForm::ActivateFromNotice);
}

void TMainForm::FormCreate() {
    ProgramName = QStringLiteral("Tintor");
    VersionText = text(MainFormTexts::VersionText);
    CopyrightText = text(MainFormTexts::CopyrightText);
    OptBtn->setText(text(MainFormTexts::OptBtnCaption));
    PFSBtn->setText(text(MainFormTexts::PFSBtnCaption));
    setWindowTitle(ProgramName + QStringLiteral(", ") + VersionText);

    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationInactive) {
                    AppDeactivate();
                }
            });
    ScreenDC = m_platform.GetDC();
    SetUpSampler();
    GradientBitmap = QImage(128, 1, QImage::Format_RGB32);
    for (int index = 0; index < 3; ++index) {
        channelEdit(index)->setText(
            QString::fromStdString(ChannelText(spinner(index)->position())));
    }
    // Ticks start once creation is over, from the event loop.
    PickTmr->start();
}

void TMainForm::FormClose() {
    // No tick may read through the context once it is given back.
    PickTmr->stop();
    ScreenDC.reset();
    SampleBitmap = QImage();
    GradientBitmap = QImage();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

ColourRef TMainForm::CurrentColour() const {
    return RGB(TrackR->value(), TrackG->value(), TrackB->value());
}

void TMainForm::TrackChange(TThinTrackBar* sender) {
    const int channel = FormLayout::tagOf(sender);
    const ColourRef colour = CurrentColour();
    ColourPnl->fill(colour);
    SolidColPnl->fill(WebSafeColour(colour));
    for (int other = 1; other <= 3; ++other) {
        if (other != channel) {
            PaintGradientBar(other);
        }
    }
    TUpDown* updown = spinner(channel - 1);
    updown->setPosition(sender->value());
    channelEdit(channel - 1)->setText(QString::fromStdString(ChannelText(updown->position())));
    const std::uint32_t html = HtmlOrder(TrackR->value(), TrackG->value(), TrackB->value());
    HTMLOutEdit->setText(QString::fromStdString(ColourText(html)));
    WebOutEdit->setText(QString::fromStdString(ColourText(WebSafeColour(html))));
}

void TMainForm::ColEditChange(QLineEdit* sender) {
    // The typed text is never parsed: the field only re-asserts its spinner's position.
    const int index = FormLayout::tagOf(sender);
    slider(index + 1)->setValue(spinner(index)->position());
}

void TMainForm::UpDownRClick() {
    UpDownClick(0);
}
void TMainForm::UpDownGClick() {
    UpDownClick(1);
}
void TMainForm::UpDownBClick() {
    UpDownClick(2);
}

void TMainForm::UpDownClick(int index) {
    const int position = spinner(index)->position();
    channelEdit(index)->setText(QString::fromStdString(ChannelText(position)));
    slider(index + 1)->setValue(position);
}

void TMainForm::SolidColPnlDblClick() {
    if (!ScreenDC) {
        return;
    }
    const ColourRef nearest = ScreenDC->GetNearestColor(ColourPnl->fillColour());
    TrackR->setValue(GetRValue(nearest));
    TrackG->setValue(GetGValue(nearest));
    TrackB->setValue(GetBValue(nearest));
}

void TMainForm::SpeedAboutClick() {
    if (AboutForm != nullptr) {
        AboutForm->exec(); // the result means nothing here
    }
}

void TMainForm::PaintGradientBar(int channel) {
    if (TPaintBox* box = gradientBox(channel)) {
        box->invalidate();
    }
}

void TMainForm::OutBoxPaint(const TPaintBox* sender, QPainter& painter) {
    const int channel = FormLayout::tagOf(sender);
    if (gradientBox(channel) == nullptr || GradientBitmap.isNull()) {
        return;
    }
    const auto row = GradientRow(channel, CurrentColour());
    auto* pixels = reinterpret_cast<QRgb*>(GradientBitmap.scanLine(0));
    for (std::size_t x = 0; x < row.size(); ++x) {
        pixels[x] = toQColor(row[x]).rgb();
    }
    // Pixel replication: the bar must show the exact channel values, never a blend.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(0, 0, 128, sender->height()), GradientBitmap);
}

void TMainForm::ColourPnlPaint(QPainter& painter) {
    ColourPnl->fill(painter, CurrentColour());
}

void TMainForm::SolidColPnlPaint(QPainter& painter) {
    // Always the displayable form of the web-safe colour, so the swatch matches the "Web:"
    // text whether it was drawn by a slider change or uncovered.
    const ColourRef webSafe = WebSafeColour(ColourPnl->fillColour());
    SolidColPnl->fill(painter, ScreenDC ? ScreenDC->GetNearestColor(webSafe) : webSafe);
}

TThinTrackBar* TMainForm::slider(int channel) const {
    switch (channel) {
    case 1:
        return TrackR;
    case 2:
        return TrackG;
    case 3:
        return TrackB;
    default:
        return nullptr;
    }
}

TPaintBox* TMainForm::gradientBox(int channel) const {
    switch (channel) {
    case 1:
        return RedBox;
    case 2:
        return GreenBox;
    case 3:
        return BlueBox;
    default:
        return nullptr;
    }
}

TUpDown* TMainForm::spinner(int index) const {
    return std::array{UpDownR, UpDownG, UpDownB}.at(static_cast<std::size_t>(index));
}

QLineEdit* TMainForm::channelEdit(int index) const {
    return std::array{EditR, EditG, EditB}.at(static_cast<std::size_t>(index));
}
