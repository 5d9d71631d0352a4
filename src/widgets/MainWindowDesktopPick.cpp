// Picking where no program may read the screen (a Wayland session): the desktop takes a
// screenshot, which is frozen over every monitor and sampled as the screen would be; where
// it will not, its own colour picker gives the colour; where neither works, a message says
// why.  Outside a pick, only Tintor's own windows can be read.

#include "FrozenScreen.h"
#include "MainWindow.h"
#include "TimedMessage.h"
#include "ImageScreenReader.h"
#include "Platform.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCursor>

namespace {

QString failureText(DesktopPicker::Failure failure) {
    switch (failure) {
    case DesktopPicker::Failure::Unavailable:
        return MainWindow::tr("The desktop offers no screenshot.");
    case DesktopPicker::Failure::Refused:
        return MainWindow::tr("The desktop refused the screenshot.");
    case DesktopPicker::Failure::TimedOut:
        return MainWindow::tr("The desktop did not answer.");
    case DesktopPicker::Failure::Failed:
        break;
    }
    return MainWindow::tr("The desktop could not take the screenshot.");
}

} // namespace

void MainWindow::connectDesktopPicker(DesktopPicker& picker) {
    connect(&picker, &DesktopPicker::screenshotTaken, this, &MainWindow::onScreenshotTaken);
    connect(&picker, &DesktopPicker::colourPicked, this, &MainWindow::onDesktopColour);
    connect(&picker, &DesktopPicker::failed, this, &MainWindow::onDesktopFailure);
}

void MainWindow::followPointerWithoutScreen(QPoint pointer) {
    if (m_frozen && !m_frozen->knowsPointer(pointer)) {
        showCoordinates(std::nullopt);
        m_ui->magnifier->setImage(QImage());
        return;
    }
    if (m_frozen) {
        const QPoint at = m_frozen->toPicture(pointer);
        showCoordinates(at);
        const Rgb sampled = m_frozen->sampler().sample(at);
        m_ui->magnifier->setImage(m_frozen->sampler().image());
        setColour(sampled);
        return;
    }
    const std::optional<Rgb> own = isPicking() ? std::nullopt : sampleOwnWindow(pointer);
    if (!own) {
        // Over another program's window the position and pixels are not known: say so
        // rather than show the last ones as if they were live.
        showCoordinates(std::nullopt);
        m_ui->magnifier->setImage(QImage());
        return;
    }
    showCoordinates(pointer);
}

std::optional<Rgb> MainWindow::sampleOwnWindow(QPoint pointer) {
    const QPoint logical = QCursor::pos();
    // Xwayland keeps the last place it saw the pointer when the pointer leaves for another
    // program's window; the leave itself is what tells that it has gone.
    QWidget* window = QApplication::topLevelAt(logical);
    if (window == nullptr || !window->underMouse()) {
        return std::nullopt;
    }
    // The window draws itself again into a picture of the block under the pointer.
    const int half = blockSide(samplingMethod()) / 2;
    const QPoint local = window->mapFromGlobal(logical);
    const QRect block(local - QPoint(half, half), QSize(2 * half + 1, 2 * half + 1));
    const QImage picture = window->grab(block.intersected(window->rect())).toImage();
    const QPoint origin = pointer - (local - block.intersected(window->rect()).topLeft());
    ScreenSampler own(std::make_unique<ImageScreenReader>(picture, origin));
    own.setMethod(samplingMethod());
    const Rgb sampled = own.sample(pointer);
    m_ui->magnifier->setImage(own.image());
    return sampled;
}

void MainWindow::onScreenshotTaken(const QImage& picture) {
    if (!isPicking()) {
        return; // the pick ended while the desktop was busy
    }
    // A pick started by a click on the button has the pointer over this window, where
    // Xwayland knows its place.
    m_frozen = std::make_unique<FrozenScreen>(picture, *this, samplingMethod(),
                                              m_platform.pointerPosition(), underMouse());
    // Queued: the press is still being delivered to the overlay that ending the pick removes.
    connect(
        m_frozen.get(), &FrozenScreen::pressed, this,
        [this] {
            if (isPicking()) {
                stopPicking(Qt::NoButton);
            }
        },
        Qt::QueuedConnection);
    activateWindow();
    m_platform.capturePointer(*this);
}

void MainWindow::onDesktopColour(Rgb colour) {
    if (!isPicking()) {
        return;
    }
    setColour(colour);
    stopPicking(Qt::NoButton);
}

void MainWindow::onDesktopFailure(DesktopPicker::Failure failure) {
    if (!isPicking()) {
        return;
    }
    if (!m_screenshotFailure) {
        // No screenshot: the desktop's own picker may still give one colour.
        m_screenshotFailure = failure;
        m_platform.desktopPicker()->pickColour();
        return;
    }
    stopPicking(Qt::NoButton);
    createDialogs();
    m_message->showMessage(tr("Screen not read."), failureText(*m_screenshotFailure), 3000);
}
