#pragma once

#include "ColourPickerPortal.h"
#include "DesktopCapture.h"
#include "ScreenshotPortal.h"

#include <QTimer>

#include <optional>

// The desktop picker of a Wayland session: the desktop portal's Screenshot and PickColor.
// A request the portal has taken on is waited for until it answers or the pick drops it.
class PortalCapture final : public DesktopCapture {
    Q_OBJECT
public:
    explicit PortalCapture(QObject* parent = nullptr);
    PortalCapture(const QDBusConnection& bus, QObject* parent = nullptr);

    void takeScreenshot() override;
    // Fails at once, without asking, after a screenshot request that may have left the
    // desktop's dialog on the screen: one the portal never took, or ended without a refusal.
    void pickColour() override;
    void cancel() override;

    // For tests: how long a portal that does not take a call is waited for.
    void setCallTimeout(std::chrono::milliseconds timeout);

private:
    void connectPortals();

    ScreenshotPortal m_screenshot;
    ColourPickerPortal m_colourPicker;
    QTimer m_withheldFailure;
    // How the last screenshot request ended, when its dialog may still be up.
    std::optional<Refusal> m_dialogMayRemain;
};
