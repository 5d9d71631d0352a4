#pragma once

#include <QPoint>

// A pixel of one stream of a screen cast: which stream, and where in that stream's picture.
// The two never share one point, so that a place just off one stream cannot read as a pixel
// of another.
struct StreamPixel {
    int stream = 0;
    QPoint pixel;

    friend bool operator==(const StreamPixel&, const StreamPixel&) = default;
};
