#pragma once

#include "PickSource.h"
#include "XwaylandPointer.h"

#include <memory>

class Platform;
class ScreenCast;

// Where the desktop casts the screen to Tintor (a Wayland session, with the user's
// consent): while the cast is open the follower and picks read its newest frames at the
// pointer's place; otherwise they go on as `fallback` has them.
class CastPickSource final : public PickSource {
public:
    CastPickSource(Platform& platform, ScreenCast& cast, std::unique_ptr<PickSource> fallback);
    ~CastPickSource() override;

    [[nodiscard]] PointerSample follow(QPoint pointer, ScreenSampler& screen) override;
    [[nodiscard]] PickSession* makePick(QWidget& window, ScreenSampler& screen) override;

private:
    Platform& m_platform;
    ScreenCast& m_cast;
    std::unique_ptr<PickSource> m_fallback;
    XwaylandPointer m_pointer;
};
