// The pointer and the keyboard of the test server, driven through XTest as a user would.

#include "XSession.h"

#include <QThread>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

void XSession::focus(Window window) {
    XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
    XSync(m_display, False);
}

void XSession::tapKey(unsigned long keysym, int times) {
    const KeyCode code = XKeysymToKeycode(m_display, keysym);
    for (int i = 0; i < times; ++i) {
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        XSync(m_display, False);
        QThread::msleep(20);
    }
}

void XSession::pressKey(unsigned long keysym) {
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysym), True, CurrentTime);
    XSync(m_display, False);
}

void XSession::releaseKey(unsigned long keysym) {
    XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, keysym), False, CurrentTime);
    XSync(m_display, False);
}

void XSession::chord(unsigned long modifier, unsigned long keysym) {
    pressKey(modifier);
    QThread::msleep(20);
    tapKey(keysym);
    releaseKey(modifier);
    QThread::msleep(20);
}

void XSession::movePointer(int x, int y) {
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), x, y, CurrentTime);
    XSync(m_display, False);
}

void XSession::pressButton(int button) {
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), True, CurrentTime);
    XSync(m_display, False);
}

void XSession::releaseButton(int button) {
    XTestFakeButtonEvent(m_display, static_cast<unsigned>(button), False, CurrentTime);
    XSync(m_display, False);
}

QPoint XSession::movePointerBy(int dx, int dy) {
    XTestFakeRelativeMotionEvent(m_display, dx, dy, CurrentTime);
    XSync(m_display, False);
    return pointer();
}

QPoint XSession::pointer() {
    Window root = 0, child = 0;
    int x = 0, y = 0, windowX = 0, windowY = 0;
    unsigned int buttons = 0;
    XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &x, &y, &windowX,
                  &windowY, &buttons);
    return {x, y};
}

void XSession::clickAt(int x, int y, int button) {
    movePointer(x, y);
    pressButton(button);
    QThread::msleep(20);
    releaseButton(button);
}
