#pragma once

#include "PickSource.h"

class Platform;

// Where Tintor may read the whole screen (an X11 session): the follower reads it live, and
// a pick captures the pointer and takes the colour of every tick.
class X11PickSource final : public PickSource {
public:
    explicit X11PickSource(Platform& platform) : m_platform(platform) {}

    [[nodiscard]] PointerSample follow(QPoint pointer, ScreenSampler& screen) override;
    [[nodiscard]] PickSession* makePick(QWidget& window, ScreenSampler& screen) override;

private:
    Platform& m_platform;
};
