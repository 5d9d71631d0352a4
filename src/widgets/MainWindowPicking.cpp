// The pointer follower and pick mode.  Every 50 ms the window shows the pointer's
// coordinates and the pixels under it; while picking (the pick button is disabled) the
// sample also drives the sliders, until a left or right press anywhere or Escape.

#include "MainWindow.h"

#include "FrozenScreen.h"

#include "Platform.h"
#include "ui_MainWindow.h"

#include <QMouseEvent>
#include <QShortcut>

namespace {

QString methodName(SamplingMethod method) {
    switch (method) {
    case SamplingMethod::SinglePixel:
        return MainWindow::tr("Single Pixel");
    case SamplingMethod::Mean3x3:
        return MainWindow::tr("3x3 Average");
    case SamplingMethod::Mean5x5:
        return MainWindow::tr("5x5 Average");
    case SamplingMethod::Mean7x7:
        return MainWindow::tr("7x7 Average");
    }
    return QStringLiteral("..."); // a stored value past the known methods
}

} // namespace

bool MainWindow::isPicking() const {
    return !m_ui->pickButton->isEnabled();
}

void MainWindow::followPointer() {
    const std::optional<QPoint> pointer = m_platform.pointerPosition();
    if (!pointer || !m_sampler.isOpen()) {
        return; // nothing to sample where the pointer cannot be found
    }
    if (m_platform.desktopPicker() != nullptr) {
        followPointerWithoutScreen(*pointer);
        return;
    }
    showCoordinates(*pointer);
    const Rgb sampled = m_sampler.sample(*pointer);
    m_ui->magnifier->setImage(m_sampler.image());
    if (isPicking()) {
        setColour(sampled);
    }
    // Starting a pick shows the default cursor over the button; the tick puts the hand back.
    if (m_ui->pickButton->cursor().shape() != Qt::PointingHandCursor) {
        m_ui->pickButton->setCursor(Qt::PointingHandCursor);
    }
}

// Nothing: the position is not known (a Wayland session, outside Tintor's windows).
void MainWindow::showCoordinates(std::optional<QPoint> point) {
    if (m_coordinatesShown && m_shownCoordinates == point) {
        return; // the label already reads so
    }
    m_coordinatesShown = true;
    m_shownCoordinates = point;
    m_ui->coordinatesLabel->setText(
        point ? QStringLiteral("x:%1\ry:%2").arg(point->x()).arg(point->y())
              : QStringLiteral("x:?\ry:?"));
}

void MainWindow::startPicking() {
    m_colourBeforePick = colour();
    m_ui->pickButton->setCursor(Qt::ArrowCursor);
    DesktopPicker* desktop = m_platform.desktopPicker();
    if (desktop == nullptr) {
        m_platform.capturePointer(*this);
    }
    // A disabled button gives up the focus; let it go nowhere, so the activation after the
    // pick gives the focus to the first control in tab order.
    if (m_ui->pickButton->hasFocus()) {
        m_ui->pickButton->clearFocus();
    }
    m_ui->pickButton->setEnabled(false);
    m_cancelPick->setEnabled(true);
    setWindowTitle(tr("Picking %1").arg(methodName(samplingMethod())));
    if (desktop != nullptr) {
        // The capture follows once the frozen screenshot shows.
        m_screenshotFailure.reset();
        desktop->takeScreenshot();
    }
}

// Ends pick mode with the colour the sliders hold.  With a pressed button the capture lasts
// until its release; otherwise it ends now.
void MainWindow::stopPicking(Qt::MouseButton heldUntilRelease) {
    if (DesktopPicker* desktop = m_platform.desktopPicker()) {
        desktop->cancel();
        m_frozen.reset(); // the screenshot lives only while picking
    }
    m_cancelPick->setEnabled(false);
    m_ui->pickButton->setEnabled(true);
    setWindowTitle(m_info.title());
    m_captureHeldUntilRelease = heldUntilRelease;
    if (heldUntilRelease == Qt::NoButton) {
        m_platform.releasePointer(*this);
    }
    m_activation.start();
}

// Escape: as colour dialogs do, the colour from before the pick comes back.
void MainWindow::cancelPicking() {
    if (isPicking()) {
        stopPicking(Qt::NoButton);
        setColour(m_colourBeforePick);
    }
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    const bool endsPick = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (endsPick && isPicking()) {
        stopPicking(event->button());
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (m_captureHeldUntilRelease != Qt::NoButton && event->button() == m_captureHeldUntilRelease) {
        m_captureHeldUntilRelease = Qt::NoButton;
        m_platform.releasePointer(*this);
    }
}

void MainWindow::onApplicationStateChanged(Qt::ApplicationState state) {
    // Another program took the focus while picking: take the capture back.
    if (state == Qt::ApplicationInactive && isPicking()) {
        m_platform.capturePointer(*this);
    }
}

void MainWindow::restoreFocusAfterPick() {
    activateWindow();
    if (QWidget* active = focusWidget(); active != nullptr && active->isEnabled()) {
        active->setFocus(Qt::ActiveWindowFocusReason);
        return;
    }
    // No active control: the first in tab order that can take the focus gets it.
    for (QWidget* next = nextInFocusChain(); next != this; next = next->nextInFocusChain()) {
        if (next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus) != 0) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
