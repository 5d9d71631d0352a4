#pragma once

#include "core/ColourRef.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>

class QString;
class QWidget;
class SettingsStore;

// A point in screen (device) pixels.
struct ScreenPoint {
    int x;
    int y;
    bool operator==(const ScreenPoint&) const = default;
};

// A rectangle in screen (device) pixels.
struct ScreenRect {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const ScreenRect&) const = default;
    [[nodiscard]] bool contains(ScreenPoint p) const {
        return p.x >= left && p.y >= top && p.x < left + width && p.y < top + height;
    }
};

// A device context for the whole screen.  Destroying it gives it back (ReleaseDC).
class ScreenContext {
public:
    virtual ~ScreenContext() = default;
    ScreenContext() = default;
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;

    // The nearest colour the screen can display; on a true-colour screen the colour itself.
    [[nodiscard]] virtual ColourRef GetNearestColor(ColourRef colour) const = 0;

    // The pixel at (x, y); CLR_INVALID for a point off the screen.
    [[nodiscard]] virtual ColourRef GetPixel(int x, int y) = 0;

    // The side x side block whose top-left corner is (x, y), row by row into `out`, in one
    // read of the screen.  Points off the screen read CLR_INVALID.
    virtual void ReadBlock(int x, int y, int side, std::span<ColourRef> out) = 0;
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

    // The pointer in screen (device) pixels; nothing when it cannot be read.
    [[nodiscard]] virtual std::optional<ScreenPoint> GetCursorPos() = 0;

    // From now on every mouse-button press anywhere on the screen, over the window's own
    // controls included, reaches `window`.  Returns whether the server granted it.
    virtual bool SetCapture(QWidget& window) = 0;

    // Presses go to the window under the pointer again.
    virtual void ReleaseCapture(QWidget& window) = 0;

    // GetWindowRect: where `control` lies on the screen, in device pixels; nothing when it
    // has no window on the screen.
    [[nodiscard]] virtual std::optional<ScreenRect> GetWindowRect(const QWidget& control) = 0;

    // ClipCursor: from now on the pointer cannot leave `area`; a pointer outside it is
    // moved inside first.  Nothing lifts the limit.  A new area replaces the old one.
    // Returns false when the limit cannot be set (and then none holds).
    virtual bool ClipCursor(std::optional<ScreenRect> area) = 0;

    // The shell's "open": hands `target` (a mailto: or web address) to the desktop's default
    // handler.  Returns at once; `done(opened)` runs later from the event loop, with false
    // when no handler could be started, and never runs if `owner` is destroyed first.
    virtual void ShellExecute(QWidget& owner, const QString& target,
                              std::function<void(bool opened)> done) = 0;

    // The per-user settings store.
    [[nodiscard]] virtual SettingsStore& Settings() = 0;
};
