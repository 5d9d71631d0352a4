#pragma once

#include "ColourPickerPortal.h"
#include "ScreenshotPortal.h"
#include "DesktopPicker.h"

// The desktop picker of a Wayland session: the desktop portal's Screenshot and PickColor.
class PortalPicker final : public DesktopPicker {
    Q_OBJECT
public:
    explicit PortalPicker(QObject* parent = nullptr);
    PortalPicker(const QDBusConnection& bus, QObject* parent = nullptr);

    void takeScreenshot() override;
    void pickColour() override;
    void cancel() override;

    // For tests: how long a silent portal is waited for.
    void setTimeout(std::chrono::milliseconds timeout);

private:
    void connectPortals();

    ScreenshotPortal m_screenshot;
    ColourPickerPortal m_colourPicker;
};
