#pragma once

#include "Sampling.h"

#include <QPoint>
#include <QRect>

#include <memory>
#include <optional>
#include <span>

class ClipboardReader;
class QWidget;

// Reads the whole screen in device pixels.  Destroying it gives back what it holds.
class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    ScreenReader() = default;
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // The nearest colour the screen can display; on a true-colour screen the colour itself.
    [[nodiscard]] virtual Rgb nearestDisplayable(Rgb colour) const = 0;

    // The pixel at `point`; nothing for a point off the screen.
    [[nodiscard]] virtual ScreenPixel pixel(QPoint point) = 0;

    // The side x side block whose top-left corner is `topLeft`, row by row into `out`, in
    // one read of the screen.  Points off the screen read nothing.
    virtual void readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) = 0;
};

// What a window's frame offers, as the window manager is asked to show it.
enum class WindowFrame {
    Main,   // moves, minimises and closes; never resized or maximised
    Dialog, // a title bar without any buttons: it only moves
};

// The screen, pointer and window-manager services the windows rely on.  One implementation
// per windowing system; the widget tests use a fake.  Points and rectangles are in device
// pixels of the whole screen.
class Platform {
public:
    virtual ~Platform() = default;
    Platform() = default;
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    [[nodiscard]] virtual std::unique_ptr<ScreenReader> screenReader() = 0;

    // Nothing when the pointer cannot be read.
    [[nodiscard]] virtual std::optional<QPoint> pointerPosition() = 0;

    // From now on every mouse-button press anywhere on the screen, over the window's own
    // controls included, reaches `window`, as far as the server grants it.
    virtual void capturePointer(QWidget& window) = 0;
    // Presses go to the window under the pointer again.
    virtual void releasePointer(QWidget& window) = 0;
    // Moves the pointer by `offset`, as the mouse would, stopping at the screen's edges.
    virtual void movePointerBy(QPoint offset) = 0;

    // Where `widget` lies on the screen; nothing when it has no window on the screen.
    [[nodiscard]] virtual std::optional<QRect> deviceGeometry(const QWidget& widget) = 0;

    // From now on the pointer cannot leave `area`; a pointer outside it is moved inside
    // first.  A new area replaces the old one; no area (std::nullopt) lifts the limit.
    // Returns false when the limit cannot be set (and then none holds).
    virtual bool confinePointer(std::optional<QRect> area) = 0;

    // Asks the window manager for exactly this frame on `window`, which must be shown.
    virtual void setFrame(QWidget& window, WindowFrame frame) = 0;

    // Asks the window manager to keep `window` above other windows (its stay-on-top state),
    // or to let them over it, without re-creating it as a change of Qt's window flags would.
    virtual void setKeptAbove(QWidget& window, bool above) = 0;
    // Reads the clipboard for a paste, never waiting long on an owner that does not answer.
    [[nodiscard]] virtual std::unique_ptr<ClipboardReader> clipboardReader() = 0;
};
