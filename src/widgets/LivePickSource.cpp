#include "LivePickSource.h"

#include "LivePick.h"
#include "ScreenSampler.h"

PointerSample LivePickSource::follow(QPoint pointer, ScreenSampler& screen) {
    PointerSample sample = sampleScreen(pointer, screen);
    sample.colour.reset(); // following is not picking
    return sample;
}

PickSession* LivePickSource::makePick(QWidget& window, ScreenSampler& screen) {
    return new LivePick(m_platform, window, screen);
}

PointerSample LivePickSource::sampleScreen(QPoint pointer, ScreenSampler& screen) {
    const Rgb colour = screen.sample(pointer);
    return {pointer, screen.image(), colour};
}
