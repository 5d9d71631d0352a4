#include "LivePick.h"

#include "Platform.h"
#include "ScreenSampler.h"

#include <QWidget>

LivePick::LivePick(Platform& platform, QWidget& window, ScreenSampler& screen)
    : PickSession(&window), m_platform(platform), m_window(window), m_screen(screen) {}

void LivePick::start() {
    m_platform.capturePointer(m_window);
}

void LivePick::movePoint(QPoint offset) {
    m_platform.movePointerBy(offset);
}

PointerSample LivePick::follow(QPoint pointer) {
    return m_screen.sampleAt(pointer);
}
