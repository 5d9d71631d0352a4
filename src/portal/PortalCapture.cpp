#include "PortalCapture.h"

#include "PortalLog.h"

PortalCapture::PortalCapture(QObject* parent)
    : PortalCapture(QDBusConnection::sessionBus(), parent) {}

PortalCapture::PortalCapture(const QDBusConnection& bus, QObject* parent)
    : DesktopCapture(parent), m_screenshot(bus), m_colourPicker(bus) {
    m_withheldFailure.setSingleShot(true);
    m_withheldFailure.setInterval(0);
    connect(&m_withheldFailure, &QTimer::timeout, this,
            [this] { emit failed(m_dialogMayRemain.value_or(Refusal::Failed)); });
    connectPortals();
}

void PortalCapture::connectPortals() {
    connect(&m_screenshot, &ScreenshotPortal::imageReady, this, &DesktopCapture::screenshotTaken);
    connect(&m_screenshot, &PortalClient::failed, this, [this](Refusal refusal) {
        // A call the portal never took may yet be taken up, and GNOME 48 ends a request with
        // 2 while its permission dialog has gone unanswered for 25 s, leaving the dialog up;
        // after a refusal (1) the dialog is gone.
        if (refusal == Refusal::TimedOut || refusal == Refusal::Failed) {
            m_dialogMayRemain = refusal;
        }
        emit failed(refusal);
    });
    connect(&m_colourPicker, &ColourPickerPortal::colourPicked, this,
            [this](const QColor& c) { emit colourPicked(Rgb::fromQRgb(c.rgb())); });
    connect(&m_colourPicker, &PortalClient::failed, this, &DesktopCapture::failed);
}

void PortalCapture::takeScreenshot() {
    cancel();
    m_dialogMayRemain.reset();
    m_screenshot.request();
}

void PortalCapture::pickColour() {
    cancel();
    if (m_dialogMayRemain) {
        // A picker asked now could come up under the desktop's dialog, and the desktops'
        // pickers outlast being closed, so the click meant for the dialog would be taken
        // as a colour; better not to ask at all.
        qCDebug(lcPortal) << "not asking for a colour: the screenshot's dialog may be up";
        m_withheldFailure.start();
        return;
    }
    m_colourPicker.request();
}

void PortalCapture::cancel() {
    m_withheldFailure.stop();
    m_screenshot.cancel();
    m_colourPicker.cancel();
}

void PortalCapture::setCallTimeout(std::chrono::milliseconds timeout) {
    m_screenshot.setCallTimeout(timeout);
    m_colourPicker.setCallTimeout(timeout);
}
