#pragma once

#include "PickSource.h"
#include "XwaylandPointer.h"

#include <memory>

class DesktopCapture;
class Platform;

// Where no program may read the screen (a Wayland session): the follower reads only
// Tintor's own windows, and a pick goes through the desktop.
class ScreenshotPickSource final : public PickSource {
public:
    ScreenshotPickSource(Platform& platform, std::unique_ptr<DesktopCapture> desktop);
    ~ScreenshotPickSource() override;

    [[nodiscard]] PointerSample follow(QPoint pointer, ScreenSampler& screen) override;
    [[nodiscard]] PickSession* makePick(QWidget& window, ScreenSampler& screen) override;

private:
    Platform& m_platform;
    std::unique_ptr<DesktopCapture> m_desktop;
    XwaylandPointer m_pointer;
};
