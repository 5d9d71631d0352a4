#include "MainWindow.h"

#include "AboutDialog.h"
#include "AboutGlyph.h"
#include "CastFollowChoice.h"
#include "ChannelEditEnder.h"
#include "ChannelEditor.h"
#include "ClipboardReader.h"
#include "ColourHistory.h"
#include "ColourMaths.h"
#include "ColourOutputs.h"
#include "ColourReceiver.h"
#include "ContrastChoice.h"
#include "ContrastView.h"
#include "ErrorBox.h"
#include "FocusChain.h"
#include "FollowInterval.h"
#include "FormFonts.h"
#include "FramedPlacement.h"
#include "MethodName.h"
#include "OptionsDialog.h"
#include "PickSource.h"
#include "Platform.h"
#include "RecentColoursMenu.h"
#include "SettingsStore.h"
#include "TimedMessage.h"
#include "WidgetsLog.h"
#include "WindowPlacement.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QShortcut>

MainWindow::MainWindow(Platform& platform, PickSource& pickSource, SettingsStore& settings,
                       LinkOpener& links, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      m_ui(std::make_unique<Ui::MainWindow>()), m_platform(platform), m_pickSource(pickSource),
      m_settings(settings), m_links(links), m_info(AppInfo::tintor()),
      m_sampler(platform.screenReader()), m_pickMode(platform, pickSource, *this) {
    setupWithFormFonts(*m_ui, this);
    m_channels = {m_ui->redChannel, m_ui->greenChannel, m_ui->blueChannel};
    for (const Channel channel : AllChannels) {
        m_channels.at(static_cast<std::size_t>(channel))->setChannel(channel);
    }
    const auto [red, green, blue] = m_channels;
    chainTabOrder(QList<QWidget*>{red->slider(), green->slider(), blue->slider(), red->field(),
                                  green->field(), blue->field(), m_ui->pickButton,
                                  m_ui->optionsButton, m_ui->webText, m_ui->rgbText}
                  << m_ui->contrastView->tabOrder());
    setObjectName(QStringLiteral("MainWindow"));
    setUpFixedWindow(*this);
    new ChannelEditEnder(*this, m_channels, [this] { return isPicking(); });
    setWindowTitle(m_info.title());
    m_recentMenu = new RecentColoursMenu(*this, *m_ui->colourSwatch);
    m_history = new ColourHistory(m_settings, *m_recentMenu, this);
    m_outputs = new ColourOutputs(*this, m_ui->rgbText, m_ui->webText, *m_recentMenu);
    m_receiver = new ColourReceiver(*this, m_platform.clipboardReader());
    m_contrast = new ContrastChoice(m_settings, *this, *m_ui->contrastView);
    m_recentMenu->offerBeside(m_contrast->action());
    // The web-safe strip below the swatch is as much a target, for its own colour.
    m_recentMenu->offerOn(*m_ui->webSwatch);
    for (ColourSwatch* swatch : {m_ui->colourSwatch, m_ui->webSwatch}) {
        swatch->setDraggable(true);
        swatch->nameColours();
    }
    m_ui->aboutButton->setIcon(aboutGlyph());
    m_follower.setInterval(followInterval);
    m_activation.setSingleShot(true);
    m_activation.setInterval(0);
    // The About button takes no focus; F1 reaches it from the keyboard.
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, &MainWindow::openAbout);
    m_placement = new FramedPlacement(*this);
    connectControls();
    // The lowest byte of the stored number.
    setSamplingMethod(SamplingMethod(m_settings.value(Settings::Method).toInteger() & 0xFF));
    m_platform.setFrame(*this, WindowFrame::Main);
    // Ticks start once creation is over, from the event loop.
    m_follower.start();
}

MainWindow::~MainWindow() = default;

void MainWindow::connectControls() {
    for (ChannelEditor* editor : m_channels) {
        connect(editor, &ChannelEditor::edited, this,
                [this, editor](int value) { onChannelEdited(editor->channel(), value); });
    }
    connect(m_ui->webSwatch, &ColourSwatch::doubleClicked, this, [this] {
        if (m_sampler.isOpen()) {
            setColour(m_sampler.nearestDisplayable(m_colour));
        }
    });
    connect(m_ui->pickButton, &QPushButton::clicked, this, &MainWindow::startPicking);
    connect(m_ui->optionsButton, &QPushButton::clicked, this, &MainWindow::openOptions);
    connect(m_ui->aboutButton, &QToolButton::clicked, this, &MainWindow::openAbout);
    connect(&m_follower, &QTimer::timeout, this, &MainWindow::followPointer);
    // Built once the window is on the screen, so that they do not hold up its showing.
    connect(m_placement, &FramedPlacement::exposed, this,
            [this] { QTimer::singleShot(0, this, &MainWindow::createDialogs); });
    connect(&m_activation, &QTimer::timeout, this, [this] { activateWithFocus(*this); });
    connect(&m_pickMode, &PickMode::picked, this, &MainWindow::setColour);
    connect(&m_pickMode, &PickMode::pointMoved, this, &MainWindow::followPointer);
    connect(&m_pickMode, &PickMode::stopped, this, &MainWindow::onPickStopped);
    connect(&m_pickMode, &PickMode::failed, this,
            [this](const QString& reason) { showMessage(tr("Screen not read."), reason); });
    connect(m_receiver, &ColourReceiver::colourReceived, this, &MainWindow::takeColour);
    connect(m_recentMenu, &RecentColoursMenu::chosen, this, &MainWindow::takeColour);
    // A pick holds the mouse and the keys that would take a suggestion.
    connect(m_ui->contrastView, &ContrastView::suggestionChosen, this, &MainWindow::takeColour);
    for (const auto signal :
         {&ColourReceiver::noColourReceived, &ColourReceiver::transparencyDropped}) {
        connect(m_receiver, signal, this, [this](const QString& text) { showMessage(text, {}); });
    }
}

void MainWindow::setSamplingMethod(SamplingMethod method) {
    m_sampler.setMethod(method);
    if (m_cast != nullptr) {
        m_cast->setMethod(method); // told once, not on every tick
    }
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

void MainWindow::setColour(Rgb colour) {
    if (colour == m_colour) {
        return;
    }
    m_colour = colour;
    showColour();
}

void MainWindow::showColour() {
    m_ui->colourSwatch->setColour(m_colour);
    m_ui->webSwatch->setColour(m_sampler.nearestDisplayable(webSafe(m_colour)));
    for (ChannelEditor* editor : m_channels) {
        editor->setColour(m_colour);
    }
    m_outputs->show(m_colour);
    showContrast();
}

void MainWindow::onChannelEdited(Channel channel, int value) {
    const Rgb colour = m_colour.withChannel(channel, value);
    if (colour == m_colour) {
        showColour(); // the user's step that moved nothing still shows the colour anew
        return;
    }
    setColour(colour);
}

void MainWindow::takeColour(Rgb colour) {
    setColour(colour);
    m_history->keep(colour);
}

void MainWindow::openOptions() {
    stopPicking();
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
    setSamplingMethod(m_options->method());
    const Result<void> stored =
        m_settings.write(Settings::Method, static_cast<int>(m_options->method()));
    if (!stored) {
        showErrorBox(this, stored.error());
    }
}

void MainWindow::openAbout() {
    stopPicking();
    // Made when first asked for: most sessions never open it, and it is the costliest
    // window to build.
    if (m_about == nullptr) {
        m_about = new AboutDialog(m_platform, m_links, m_info, this);
        connect(m_about, &AboutDialog::linkFailed, this,
                [this](const QString& text) { showMessage(text, QString(), true); });
        m_platform.setFrame(*m_about, WindowFrame::Dialog);
    }
    // Not modal: closing the main window must end the program even while it shows.
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::offerScreenCast(ScreenCast& cast) {
    m_cast = &cast;
    cast.setMethod(samplingMethod());
    m_liveFollow = new CastFollowChoice(m_platform, cast, m_settings, *this);
    m_liveFollow->offerIn(*m_ui->magnifier);
    m_liveFollow->offerIn(*m_ui->coordinatesLabel);
    connect(m_liveFollow, &CastFollowChoice::stopped, this,
            [this](const QString& text, const QString& detail) { showMessage(text, detail); });
}

void MainWindow::keepClearOf(const QList<QRect>& windows) {
    m_placement->keepClearOf(windows);
}

void MainWindow::showMessage(const QString& text, const QString& detail, bool takesKeyboard) {
    createDialogs();
    m_message->showMessage(text, detail, 3000, takesKeyboard);
}

void MainWindow::followPointer() {
    const std::optional<QPoint> pointer = m_platform.pointerPosition();
    if (!pointer || !m_sampler.isOpen()) {
        return; // nothing to sample where the pointer cannot be found
    }
    const PointerSample sample =
        isPicking() ? m_pickMode.follow(*pointer) : m_pickSource.follow(*pointer, m_sampler);
    m_ui->coordinatesLabel->showPosition(sample.position);
    // Where the label reads `x:? y:?` away from Tintor's windows, it says how to know more.
    const QString hint = m_liveFollow != nullptr ? m_liveFollow->hint() : QString();
    if (m_ui->coordinatesLabel->toolTip() != hint) {
        m_ui->coordinatesLabel->setToolTip(hint);
    }
    m_ui->magnifier->setImage(sample.pixels);
    m_underPointer = sample.colour;
    if (sample.colour && isPicking()) {
        setColour(*sample.colour);
    }
    showContrast();
    // Starting a pick shows the default cursor over the button; the tick puts the hand back.
    if (m_ui->pickButton->cursor().shape() != Qt::PointingHandCursor) {
        m_ui->pickButton->setCursor(Qt::PointingHandCursor);
    }
}

void MainWindow::showContrast() {
    if (m_contrast->isOn()) {
        m_ui->contrastView->compare(m_colour,
                                    isPicking() ? m_pickMode.colourBefore() : m_underPointer);
    }
}

// Only while idle: the pick button is disabled while picking.
void MainWindow::startPicking() {
    m_ui->pickButton->setCursor(Qt::ArrowCursor);
    // A disabled button gives up the focus; let it go nowhere, so the activation after the
    // pick gives the focus to the first control in tab order.
    if (m_ui->pickButton->hasFocus()) {
        m_ui->pickButton->clearFocus();
    }
    m_ui->pickButton->setEnabled(false);
    setWindowTitle(tr("Picking %1").arg(methodName(samplingMethod())));
    // A paste, drop or recent colour would fight the pick for the colour.
    m_receiver->setOn(false);
    m_recentMenu->setOn(false);
    m_pickMode.start(colour(), m_sampler);
}

// A modal window must never open while the pointer is captured for a pick.
void MainWindow::stopPicking() {
    if (isPicking()) {
        m_pickMode.stop();
    }
}

void MainWindow::onPickStopped(bool kept) {
    m_ui->pickButton->setEnabled(true);
    setWindowTitle(m_info.title());
    m_receiver->setOn(true);
    m_recentMenu->setOn(true);
    if (kept) {
        m_history->keep(m_colour);
    }
    m_activation.start();
    emit pickEnded(kept);
}
