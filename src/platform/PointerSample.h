#pragma once

#include "Rgb.h"

#include <QImage>
#include <QPoint>

#include <optional>

// What one tick of the pointer follower found.
struct PointerSample {
    std::optional<QPoint> position; // where to say the pointer is; nothing when not known
    QImage pixels;                  // what the magnifier shows; null for nothing
    std::optional<Rgb> colour; // the colour sampled, which a pick takes; nothing when not known
};
