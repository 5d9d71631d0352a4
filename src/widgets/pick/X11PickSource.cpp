#include "X11PickSource.h"

#include "ScreenSampler.h"
#include "X11Pick.h"

PointerSample X11PickSource::follow(QPoint pointer, ScreenSampler& screen) {
    return screen.sampleAt(pointer);
}

PickSession* X11PickSource::makePick(QWidget& window, ScreenSampler& screen) {
    return new X11Pick(m_platform, window, screen);
}
