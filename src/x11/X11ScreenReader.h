#pragma once

#include "PixelFormat.h"
#include "Platform.h"

struct _XDisplay;

// Reads the root window of the default screen: one clipped XGetImage per block, so a read
// costs one round trip wherever the block lies.
class X11ScreenReader final : public ScreenReader {
public:
    explicit X11ScreenReader(_XDisplay* display);
    ~X11ScreenReader() override;

    [[nodiscard]] Rgb nearestDisplayable(Rgb colour) const override;
    [[nodiscard]] ScreenPixel pixel(QPoint point) override;
    void readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) override;

private:
    void trackRootSize();

    _XDisplay* m_display;
    unsigned long m_root;
    bool m_trueColour = true;
    PixelMasks m_masks{0xFF0000, 0x00FF00, 0x0000FF};
    int m_width = 0;
    int m_height = 0;
};
