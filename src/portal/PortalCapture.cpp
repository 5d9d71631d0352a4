#include "PortalCapture.h"

#include "PortalLog.h"

PortalCapture::PortalCapture(QObject* parent)
    : PortalCapture(QDBusConnection::sessionBus(), parent) {}

PortalCapture::PortalCapture(const QDBusConnection& bus, QObject* parent)
    : DesktopCapture(parent), m_screenshot(bus), m_colourPicker(bus) {
    m_unansweredFailure.setSingleShot(true);
    m_unansweredFailure.setInterval(0);
    connect(&m_unansweredFailure, &QTimer::timeout, this,
            [this] { emit failed(Refusal::TimedOut); });
    connectPortals();
}

void PortalCapture::connectPortals() {
    connect(&m_screenshot, &ScreenshotPortal::imageReady, this, &DesktopCapture::screenshotTaken);
    connect(&m_screenshot, &PortalClient::failed, this, [this](Refusal refusal) {
        m_screenshotUnanswered = refusal == Refusal::TimedOut;
        emit failed(refusal);
    });
    connect(&m_colourPicker, &ColourPickerPortal::colourPicked, this,
            [this](const QColor& c) { emit colourPicked(Rgb::fromQRgb(c.rgb())); });
    connect(&m_colourPicker, &PortalClient::failed, this, &DesktopCapture::failed);
}

void PortalCapture::takeScreenshot() {
    cancel();
    m_screenshotUnanswered = false;
    m_screenshot.request();
}

void PortalCapture::pickColour() {
    cancel();
    if (m_screenshotUnanswered) {
        // The portal may still take up the screenshot call it let lapse, and a picker
        // asked now could come up over whatever that brings (a dialog asking the user).
        // The desktops' pickers outlast being closed, so the click meant for the dialog
        // would be taken as a colour; better not to ask at all.
        qCDebug(lcPortal) << "not asking for a colour: the screenshot call went unanswered";
        m_unansweredFailure.start();
        return;
    }
    m_colourPicker.request();
}

void PortalCapture::cancel() {
    m_unansweredFailure.stop();
    m_screenshot.cancel();
    m_colourPicker.cancel();
}

void PortalCapture::setCallTimeout(std::chrono::milliseconds timeout) {
    m_screenshot.setCallTimeout(timeout);
    m_colourPicker.setCallTimeout(timeout);
}
