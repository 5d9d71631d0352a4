#pragma once

#include "core/ColourRef.h"

#include <memory>

// A device context for the whole screen.  Destroying it gives it back (ReleaseDC).
class ScreenContext {
public:
    virtual ~ScreenContext() = default;
    ScreenContext() = default;
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;

    // The nearest colour the screen can display; on a true-colour screen the colour itself.
    [[nodiscard]] virtual ColourRef GetNearestColor(ColourRef colour) const = 0;
};

// The screen, pointer and shell services the windows rely on.  One real implementation
// per windowing system; the widget tests use a fake.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;
    PlatformServices() = default;
    PlatformServices(const PlatformServices&) = delete;
    PlatformServices& operator=(const PlatformServices&) = delete;

    // GetDC with no window: a context for the whole screen.
    [[nodiscard]] virtual std::unique_ptr<ScreenContext> GetDC() = 0;
};
