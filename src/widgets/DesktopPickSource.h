#pragma once

#include "PickSource.h"

#include <QPoint>

#include <memory>
#include <optional>

class DesktopPicker;
class Platform;

// Where no program may read the screen (a Wayland session): the follower reads only
// Tintor's own windows, and a pick goes through the desktop.
class DesktopPickSource final : public PickSource {
public:
    DesktopPickSource(Platform& platform, std::unique_ptr<DesktopPicker> desktop);
    ~DesktopPickSource() override;

    [[nodiscard]] PointerSample follow(QPoint pointer, ScreenSampler& screen) override;
    [[nodiscard]] PickSession* makePick(QWidget& window, ScreenSampler& screen) override;

private:
    Platform& m_platform;
    std::unique_ptr<DesktopPicker> m_desktop;
    QPoint m_firstPlace;
    bool m_pointerMoved = false;
};
