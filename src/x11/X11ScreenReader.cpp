#include "X11ScreenReader.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

namespace {

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

bool isCommon24BitLayout(const XImage& image, const PixelMasks& masks) {
    return image.bits_per_pixel == 32 && image.byte_order == LSBFirst && masks.red == 0xFF0000 &&
           masks.green == 0xFF00 && masks.blue == 0xFF;
}

Rgb colourAt(XImage& image, int x, int y, const PixelMasks& masks) {
    if (isCommon24BitLayout(image, masks)) {
        // Swap red and blue, no per-pixel call.
        std::uint32_t value = 0;
        std::memcpy(&value, image.data + y * image.bytes_per_line + x * 4, sizeof value);
        return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>(value & 0xFF)};
    }
    return colourFromPixel(XGetPixel(&image, x, y), masks);
}

} // namespace

X11ScreenReader::X11ScreenReader(Display* display)
    : m_display(display), m_root(DefaultRootWindow(display)) {
    const int screen = DefaultScreen(display);
    const Visual* visual = DefaultVisual(display, screen);
    m_trueColour = visual->c_class == TrueColor || visual->c_class == DirectColor;
    m_masks = {visual->red_mask, visual->green_mask, visual->blue_mask};
    m_width = DisplayWidth(display, screen);
    m_height = DisplayHeight(display, screen);
    // The root's size changes with the screen layout; its ConfigureNotify keeps the clip
    // rectangle right without asking the server on every read.
    XSelectInput(display, m_root, StructureNotifyMask);
}

X11ScreenReader::~X11ScreenReader() {
    XSelectInput(m_display, m_root, NoEventMask);
}

Rgb X11ScreenReader::nearestDisplayable(Rgb colour) const {
    return m_trueColour ? nearestTrueColour(colour, m_masks) : colour;
}

ScreenPixel X11ScreenReader::pixel(QPoint point) {
    ScreenPixel colour;
    readBlock(point, 1, {&colour, 1});
    return colour;
}

void X11ScreenReader::readBlock(QPoint topLeft, int side, std::span<ScreenPixel> out) {
    const auto count = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
    if (side <= 0 || out.size() < count) {
        return;
    }
    std::fill_n(out.begin(), count, std::nullopt);
    trackRootSize();
    // A request reaching past the root fails with BadMatch: read only the part on the
    // screen; the rest stays off-screen.
    const int x = topLeft.x();
    const int y = topLeft.y();
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + side, m_width);
    const int bottom = std::min(y + side, m_height);
    if (left >= right || top >= bottom) {
        return;
    }
    const ImagePtr image(XGetImage(m_display, m_root, left, top,
                                   static_cast<unsigned>(right - left),
                                   static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap));
    if (!image) {
        return;
    }
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            const auto index = static_cast<std::size_t>((row - y) * side + (column - x));
            out[index] = colourAt(*image, column - left, row - top, m_masks);
        }
    }
}

void X11ScreenReader::trackRootSize() {
    // Only events already received: no round trip.
    while (XEventsQueued(m_display, QueuedAfterReading) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == ConfigureNotify && event.xconfigure.window == m_root) {
            m_width = event.xconfigure.width;
            m_height = event.xconfigure.height;
        }
    }
}
