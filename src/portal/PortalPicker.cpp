#include "PortalPicker.h"

namespace {

DesktopPicker::Failure failureOf(PortalRequest::Error error) {
    switch (error) {
    case PortalRequest::Error::Unavailable:
        return DesktopPicker::Failure::Unavailable;
    case PortalRequest::Error::Refused:
        return DesktopPicker::Failure::Refused;
    case PortalRequest::Error::TimedOut:
        return DesktopPicker::Failure::TimedOut;
    default:
        break;
    }
    return DesktopPicker::Failure::Failed;
}

} // namespace

PortalPicker::PortalPicker(QObject* parent) : PortalPicker(QDBusConnection::sessionBus(), parent) {}

PortalPicker::PortalPicker(const QDBusConnection& bus, QObject* parent)
    : DesktopPicker(parent), m_screenshot(bus), m_colourPicker(bus) {
    connectPortals();
}

void PortalPicker::connectPortals() {
    connect(&m_screenshot, &ScreenshotPortal::imageReady, this, &DesktopPicker::screenshotTaken);
    connect(&m_colourPicker, &ColourPickerPortal::colourPicked, this,
            [this](const QColor& c) { emit colourPicked(Rgb::fromQRgb(c.rgb())); });
    for (PortalClient* client :
         {static_cast<PortalClient*>(&m_screenshot), static_cast<PortalClient*>(&m_colourPicker)}) {
        connect(client, &PortalClient::failed, this,
                [this](PortalRequest::Error error) { emit failed(failureOf(error)); });
    }
}

void PortalPicker::takeScreenshot() {
    m_colourPicker.cancel();
    m_screenshot.request();
}

void PortalPicker::pickColour() {
    m_screenshot.cancel();
    m_colourPicker.request();
}

void PortalPicker::cancel() {
    m_screenshot.cancel();
    m_colourPicker.cancel();
}

void PortalPicker::setTimeout(std::chrono::milliseconds timeout) {
    m_screenshot.setTimeout(timeout);
    m_colourPicker.setTimeout(timeout);
}
