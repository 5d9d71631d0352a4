#pragma once

#include "ScreenSampler.h"
#include "StreamFrames.h"

#include <QRect>
#include <QSize>

#include <memory>
#include <optional>

// One stream of an open cast: what PipeWire's thread shows of it, its reader, what the
// desktop said of it and where it lies on the screen.
struct CastStream {
    std::shared_ptr<StreamFrames> frames;
    ScreenSampler reader;
    std::optional<QSize> said;  // its size as the desktop gave it
    std::optional<QRect> place; // on the screen, in device pixels
    bool framed = false;        // whether a picture has come
};
