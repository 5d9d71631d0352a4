#pragma once

#include "PointerSample.h"

class PickSession;
class QWidget;
class ScreenSampler;

// How this desktop lets Tintor see the screen, chosen once at start: what the pointer
// follower shows outside a pick, and how a pick is made.
class PickSource {
public:
    virtual ~PickSource() = default;
    PickSource() = default;
    PickSource(const PickSource&) = delete;
    PickSource& operator=(const PickSource&) = delete;

    // Outside a pick: what lies under the pointer at `pointer`, as far as it can be known.
    [[nodiscard]] virtual PointerSample follow(QPoint pointer, ScreenSampler& screen) = 0;
    // A pick for `window`, which owns it; not yet started.
    [[nodiscard]] virtual PickSession* makePick(QWidget& window, ScreenSampler& screen) = 0;
};
