#include "X11Pick.h"

#include "Platform.h"
#include "ScreenSampler.h"

#include <QWidget>

X11Pick::X11Pick(Platform& platform, QWidget& window, ScreenSampler& screen)
    : PickSession(&window), m_platform(platform), m_window(window), m_screen(screen) {}

void X11Pick::start() {
    m_platform.capturePointer(m_window);
}

void X11Pick::movePoint(QPoint offset) {
    m_platform.movePointerBy(offset);
}

PointerSample X11Pick::follow(QPoint pointer) {
    return m_screen.sampleAt(pointer);
}
