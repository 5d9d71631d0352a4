// The capture half of the X11 services.  Kept apart from the Xlib code because it works
// through the toolkit, whose headers and Xlib's macros do not mix.

#include "X11Platform.h"

#include <QWidget>
#include <QWindow>

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
