#include "LivePickSource.h"

#include "LivePick.h"
#include "ScreenSampler.h"

PointerSample LivePickSource::follow(QPoint pointer, ScreenSampler& screen) {
    PointerSample sample = screen.sampleAt(pointer);
    sample.colour.reset(); // following is not picking
    return sample;
}

PickSession* LivePickSource::makePick(QWidget& window, ScreenSampler& screen) {
    return new LivePick(m_platform, window, screen);
}
