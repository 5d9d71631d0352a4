// The toolkit half of the X11 services: the capture, window rectangles and the shell's
// "open".  Kept apart from the Xlib code because the toolkit's headers and Xlib's macros do
// not mix.

#include "DesktopOpen.h"
#include "X11Platform.h"

#include <QWidget>
#include <QWindow>

#include <cmath>

bool X11Platform::SetCapture(QWidget& window) {
    // The widget grab makes the toolkit deliver every press to the window itself rather
    // than to the control under the pointer; the window grab is the server's pointer grab,
    // and unlike the widget grab it says whether the server granted it.
    window.grabMouse();
    QWindow* handle = window.windowHandle();
    return handle != nullptr && handle->setMouseGrabEnabled(true);
}

void X11Platform::ReleaseCapture(QWidget& window) {
    window.releaseMouse();
}

std::optional<ScreenRect> X11Platform::GetWindowRect(const QWidget& control) {
    const QWidget* window = control.window();
    const QWindow* handle = window->windowHandle();
    if (!control.isVisible() || handle == nullptr) {
        return std::nullopt;
    }
    // The server knows where the window really is (a window manager may have moved it);
    // the toolkit knows the control's place in it, in logical pixels.
    const std::optional<ScreenPoint> origin = rootOrigin(window->winId());
    if (!origin) {
        return std::nullopt;
    }
    const qreal ratio = handle->devicePixelRatio();
    const QPoint offset = control.mapTo(window, QPoint(0, 0));
    const auto scaled = [ratio](int logical) {
        return static_cast<int>(std::lround(logical * ratio));
    };
    const int left = scaled(offset.x());
    const int top = scaled(offset.y());
    return ScreenRect{origin->x + left, origin->y + top,
                      scaled(offset.x() + control.width()) - left,
                      scaled(offset.y() + control.height()) - top};
}

void X11Platform::ShellExecute(QWidget& owner, const QString& target,
                               std::function<void(bool opened)> done) {
    OpenWithDesktop(owner, target, std::move(done));
}
