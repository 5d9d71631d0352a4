#include "MainWindow.h"

#include "AboutDialog.h"
#include "AboutGlyph.h"
#include "ErrorBox.h"
#include "FrozenScreen.h"
#include "HexColourCopy.h"
#include "OptionsDialog.h"
#include "PixelFonts.h"
#include "TimedMessage.h"
#include "WindowPlacement.h"
#include "ColourMaths.h"
#include "Platform.h"
#include "StoredMethod.h"
#include "ui_MainWindow.h"
#include "WidgetsLog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QShortcut>
#include <QWindow>

namespace {

// Output fields show their text on the window's own background, like labels.
void makeOutputField(QLineEdit* field) {
    field->setTextMargins(0, 0, 0, 0);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    field->setPalette(palette);
}

} // namespace

MainWindow::MainWindow(Platform& platform, SettingsStore& settings, LinkOpener& links,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::MainWindow>()), m_platform(platform), m_settings(settings),
      m_links(links), m_info(AppInfo::tintor()), m_sampler(platform.screenReader()),
      m_cancelPick(new QShortcut(Qt::Key_Escape, this)) {
    m_ui->setupUi(this);
    m_channels = {{{m_ui->redSlider, m_ui->redArrows, m_ui->redField, m_ui->redGradient},
                   {m_ui->greenSlider, m_ui->greenArrows, m_ui->greenField, m_ui->greenGradient},
                   {m_ui->blueSlider, m_ui->blueArrows, m_ui->blueField, m_ui->blueGradient}}};
    setObjectName(QStringLiteral("MainWindow"));
    applyPixelFonts(this);
    setFixedSize(size());
    setBackgroundRole(QPalette::Button);
    setWindowTitle(m_info.title());
    makeOutputField(m_ui->rgbText);
    makeOutputField(m_ui->webText);
    m_ui->aboutButton->setIcon(aboutGlyph());
    for (const Channel channel : AllChannels) {
        gradient(channel)->setChannel(channel);
        field(channel)->setText(channelText(arrows(channel)->position()));
    }
    m_follower.setInterval(50);
    m_activation.setSingleShot(true);
    m_activation.setInterval(0);
    m_cancelPick->setEnabled(false);
    new HexColourCopy(*this, m_ui->rgbText, m_ui->webText);
    // The About button takes no focus; F1 reaches it from the keyboard.
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, &MainWindow::openAbout);
    connectControls();
    readStoredMethod();
    centreOnPrimaryScreen(*this);
    m_platform.setFrame(*this, WindowFrame::Main);
    // Ticks start once creation is over, from the event loop.
    m_follower.start();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    for (const Channel channel : AllChannels) {
        connect(slider(channel), &ChannelSlider::changed, this,
                [this, channel] { onChannelChanged(channel); });
        connect(field(channel), &QLineEdit::textChanged, this,
                [this, channel] { onFieldEdited(channel); });
        connect(arrows(channel), &StepArrows::stepped, this,
                [this, channel] { onStepped(channel); });
    }
    connect(m_ui->webSwatch, &ColourSwatch::doubleClicked, this, &MainWindow::snapToDisplayable);
    connect(m_ui->pickButton, &QPushButton::clicked, this, &MainWindow::startPicking);
    connect(m_ui->optionsButton, &QPushButton::clicked, this, &MainWindow::openOptions);
    connect(m_ui->aboutButton, &QToolButton::clicked, this, &MainWindow::openAbout);
    connect(&m_follower, &QTimer::timeout, this, &MainWindow::followPointer);
    connect(&m_activation, &QTimer::timeout, this, &MainWindow::restoreFocusAfterPick);
    connect(m_cancelPick, &QShortcut::activated, this, &MainWindow::cancelPicking);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &MainWindow::onApplicationStateChanged);
    if (DesktopPicker* picker = m_platform.desktopPicker()) {
        connectDesktopPicker(*picker);
    }
}

void MainWindow::readStoredMethod() {
    const StartupMethod stored = readStartupMethod(m_settings);
    if (stored.problem) {
        // Start anyway, with the single pixel; the user should know why it will not stick.
        qCWarning(lcWidgets).noquote()
            << "the sampling method cannot be stored (" << *stored.problem
            << "); using single pixel";
    }
    m_sampler.setMethod(static_cast<SamplingMethod>(stored.method));
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QWindow* handle = windowHandle()) {
        handle->installEventFilter(this); // once: installing again changes nothing
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The frame is known once the window manager has mapped the window: centre it whole,
    // unless someone moved it meanwhile.
    if (m_awaitingFrame && watched == windowHandle() && event->type() == QEvent::Expose) {
        m_awaitingFrame = false;
        if (frameGeometry() != geometry()) {
            centreOnPrimaryScreen(*this);
        }
    }
    // Built once the window is on the screen, so that they do not hold up its showing.
    if (m_options == nullptr && watched == windowHandle() && event->type() == QEvent::Expose) {
        QTimer::singleShot(0, this, &MainWindow::createDialogs);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::createDialogs() {
    if (m_options == nullptr) {
        m_options = new OptionsDialog(this);
        m_message = new TimedMessage(this);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // No tick may read through the reader once it is given back.
    m_follower.stop();
    m_sampler.close();
    if (m_message != nullptr) {
        m_message->dismiss();
    }
    if (m_about != nullptr) {
        m_about->hide();
    }
    event->accept();
}

Rgb MainWindow::colour() const {
    return {m_ui->redSlider->value(), m_ui->greenSlider->value(), m_ui->blueSlider->value()};
}

void MainWindow::onChannelChanged(Channel channel) {
    const Rgb current = colour();
    m_ui->colourSwatch->setColour(current);
    m_ui->webSwatch->setColour(m_sampler.nearestDisplayable(webSafe(current)));
    for (const Channel other : AllChannels) {
        if (other != channel) {
            gradient(other)->setColour(current);
        }
    }
    arrows(channel)->setPosition(slider(channel)->value());
    field(channel)->setText(channelText(arrows(channel)->position()));
    m_ui->rgbText->setText(colourText(current));
    m_ui->webText->setText(colourText(webSafe(current)));
}

void MainWindow::onFieldEdited(Channel channel) {
    // The typed text is never parsed: the field only re-asserts its arrows' position.
    slider(channel)->setValue(arrows(channel)->position());
}

void MainWindow::onStepped(Channel channel) {
    const int position = arrows(channel)->position();
    field(channel)->setText(channelText(position));
    slider(channel)->setValue(position);
}

void MainWindow::setColour(Rgb colour) {
    for (const Channel channel : AllChannels) {
        slider(channel)->setValue(colour.channel(channel));
    }
}

void MainWindow::snapToDisplayable() {
    if (m_sampler.isOpen()) {
        setColour(m_sampler.nearestDisplayable(m_ui->colourSwatch->colour()));
    }
}

void MainWindow::openOptions() {
    // A modal window must never open while the pointer is captured for a pick.
    if (isPicking()) {
        stopPicking(Qt::NoButton);
    }
    createDialogs();
    m_platform.setFrame(*m_options, WindowFrame::Dialog);
    m_options->setMethod(samplingMethod());
    // Modal, but without a nested event loop.  Only OK applies; Cancel or a close changes
    // nothing and writes nothing.
    connect(m_options, &QDialog::accepted, this, &MainWindow::applyOptions, Qt::UniqueConnection);
    m_options->open();
}

void MainWindow::applyOptions() {
    // The choice holds for this session even when it cannot be kept for the next.
    m_sampler.setMethod(m_options->method());
    const Result<void> stored =
        storeMethod(m_settings, static_cast<std::uint8_t>(m_options->method()));
    if (!stored) {
        showErrorBox(this, stored.error());
    }
}

void MainWindow::openAbout() {
    if (isPicking()) {
        stopPicking(Qt::NoButton);
    }
    // Made when first asked for: most sessions never open it, and it is the costliest
    // window to build.
    if (m_about == nullptr) {
        m_about = new AboutDialog(m_platform, m_links, m_info, this);
        connect(m_about, &AboutDialog::linkFailed, this, &MainWindow::showLinkFailure);
        m_platform.setFrame(*m_about, WindowFrame::Dialog);
    }
    // Not modal: closing the main window must end the program even while it shows.
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::showLinkFailure(const QString& message) {
    createDialogs();
    m_message->showMessage(message, QString(), 3000);
}

ChannelSlider* MainWindow::slider(Channel channel) const {
    return controls(channel).slider;
}

StepArrows* MainWindow::arrows(Channel channel) const {
    return controls(channel).arrows;
}

QLineEdit* MainWindow::field(Channel channel) const {
    return controls(channel).field;
}

GradientBar* MainWindow::gradient(Channel channel) const {
    return controls(channel).gradient;
}
