// Pick mode: the pick button captures the mouse, every tick moves the sliders to the
// sampled colour, and a left or right press anywhere ends it.  The mode is on exactly
// while PFSBtn is disabled.

#include "PaintBox.h"
#include "ThinTrackBar.h"
#include "TintorMain.h"
#include "TintorMainLayout.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const BiText& methodName(SamplingMethod method) {
    return method < std::size(MainFormTexts::PickingMethods) ? MainFormTexts::PickingMethods[method]
                                                             : MainFormTexts::PickingUnknownMethod;
}

} // namespace

void TMainForm::PFSBtnClick() {
    PFSBtn->setCursor(Qt::ArrowCursor);
    m_platform.SetCapture(*this);
    // A disabled button gives up the focus; let it go nowhere, so the activation after
    // the pick gives the focus to the first control in tab order.
    if (PFSBtn->hasFocus()) {
        PFSBtn->clearFocus();
    }
    PFSBtn->setEnabled(false);
    setWindowTitle(QString::fromUtf8(Choose(MainFormTexts::PickingPrefix)) +
                   QString::fromUtf8(Choose(methodName(ChosenMethod))));
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        LeftButtonDown(event);
    } else if (event->button() == Qt::RightButton) {
        RightButtonDown(event);
    } else {
        QWidget::mousePressEvent(event);
    }
}

void TMainForm::RightButtonDown(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    LeftButtonDown(event);
}

void TMainForm::LeftButtonDown(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (PFSBtn->isEnabled()) {
        return;
    }
    // The capture itself ends with this press's release.
    m_captureHeldUntilRelease = event->button();
    PFSBtn->setEnabled(true);
    setWindowTitle(ProgramName + QStringLiteral(", ") + VersionText);
    m_activationNotice->start();
}

void TMainForm::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (m_captureHeldUntilRelease != Qt::NoButton && event->button() == m_captureHeldUntilRelease) {
        m_captureHeldUntilRelease = Qt::NoButton;
        m_platform.ReleaseCapture(*this);
    }
}

void TMainForm::AppDeactivate() {
    if (!PFSBtn->isEnabled()) {
        m_platform.SetCapture(*this);
    }
}

void TMainForm::ActivateFromNotice() {
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
