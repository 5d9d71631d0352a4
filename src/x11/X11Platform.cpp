// The toolkit half of X11Platform: the capture, window geometry and frames.

#include "X11Platform.h"

#include "PlatformLog.h"

#include <QWidget>
#include <QWindow>

#include <cmath>

void X11Platform::capturePointer(QWidget& window) {
    // The widget grab makes the toolkit deliver every press to the window itself rather
    // than to the control under the pointer; the window grab is the server's pointer grab,
    // and unlike the widget grab it says whether the server granted it.
    window.grabMouse();
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || !handle->setMouseGrabEnabled(true)) {
        // Another program holds the pointer: presses elsewhere reach it, not the pick.
        qCWarning(lcPlatform) << "the pointer could not be captured for the pick";
    }
}

void X11Platform::releasePointer(QWidget& window) {
    window.releaseMouse();
}

std::optional<QRect> X11Platform::deviceGeometry(const QWidget& widget) {
    const QWidget* window = widget.window();
    const QWindow* handle = window->windowHandle();
    if (!widget.isVisible() || handle == nullptr) {
        return std::nullopt;
    }
    // The server knows where the window really is (a window manager may have moved it);
    // the toolkit knows the widget's place in it, in logical pixels.
    const std::optional<QPoint> origin = rootOrigin(window->winId());
    if (!origin) {
        return std::nullopt;
    }
    const qreal ratio = handle->devicePixelRatio();
    const QPoint offset = widget.mapTo(window, QPoint(0, 0));
    const auto scaled = [ratio](int logical) {
        return static_cast<int>(std::lround(logical * ratio));
    };
    const int left = scaled(offset.x());
    const int top = scaled(offset.y());
    return QRect(origin->x() + left, origin->y() + top, scaled(offset.x() + widget.width()) - left,
                 scaled(offset.y() + widget.height()) - top);
}

void X11Platform::setFrame(QWidget& window, WindowFrame frame) {
    // Qt's window flags always ask for a resizable frame; window managers read the Motif
    // hints for which buttons and functions a frame has.
    constexpr unsigned long Move = 1UL << 2, Minimize = 1UL << 3, Close = 1UL << 5;
    constexpr unsigned long Border = 1UL << 1, Title = 1UL << 3, Menu = 1UL << 4,
                            MinimizeButton = 1UL << 5;
    if (frame == WindowFrame::Main) {
        setMotifHints(window.winId(), Move | Minimize | Close,
                      Border | Title | Menu | MinimizeButton);
    } else {
        setMotifHints(window.winId(), Move, Border | Title);
    }
}

void X11Platform::setKeptAbove(QWidget& window, bool above) {
    // A window not yet made has no state to change: Qt gives it its flags' state when shown.
    if (window.windowHandle() != nullptr) {
        askAbove(window.winId(), above);
    }
}
