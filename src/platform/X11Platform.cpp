#include "X11Platform.h"

#include "XPointer.h"

#include "X11Confinement.h"
#include "core/ColourMaths.h"
#include "core/Sampling.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Xlib's default handler ends the process on any protocol error; a colour picker that
// cannot read one rectangle should carry on instead.
int reportXError(Display* display, XErrorEvent* event) {
    char text[128];
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "tintor: X error ignored: %s (request %d)\n", text, event->request_code);
    return 0;
}

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImagePtr = std::unique_ptr<XImage, ImageDestroyer>;

class X11ScreenContext final : public ScreenContext {
public:
    explicit X11ScreenContext(Display* display)
        : m_display(display), m_root(DefaultRootWindow(display)) {
        const int screen = DefaultScreen(display);
        const Visual* visual = DefaultVisual(display, screen);
        m_trueColour = visual->c_class == TrueColor || visual->c_class == DirectColor;
        m_masks = {visual->red_mask, visual->green_mask, visual->blue_mask};
        m_width = DisplayWidth(display, screen);
        m_height = DisplayHeight(display, screen);
        // The root's size changes with the screen layout; its ConfigureNotify keeps the
        // clip rectangle right without asking the server on every read.
        XSelectInput(display, m_root, StructureNotifyMask);
    }

    ~X11ScreenContext() override { XSelectInput(m_display, m_root, NoEventMask); }

    [[nodiscard]] ColourRef GetNearestColor(ColourRef colour) const override {
        if (!m_trueColour) {
            return colour;
        }
        return NearestTrueColour(colour, m_masks.red, m_masks.green, m_masks.blue);
    }

    [[nodiscard]] ColourRef GetPixel(int x, int y) override {
        ColourRef pixel = CLR_INVALID;
        ReadBlock(x, y, 1, {&pixel, 1});
        return pixel;
    }

    void ReadBlock(int x, int y, int side, std::span<ColourRef> out) override {
        const auto count = static_cast<std::size_t>(side) * static_cast<std::size_t>(side);
        if (side <= 0 || out.size() < count) {
            return;
        }
        std::fill_n(out.begin(), count, CLR_INVALID);
        trackRootSize();
        // A request reaching past the root fails with BadMatch: read only the part on
        // the screen; the rest stays invalid.
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
                out[index] = colourAt(*image, column - left, row - top);
            }
        }
    }

private:
    void trackRootSize() {
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

    [[nodiscard]] ColourRef colourAt(XImage& image, int x, int y) const {
        if (image.bits_per_pixel == 32 && image.byte_order == LSBFirst && m_masks.red == 0xFF0000 &&
            m_masks.green == 0xFF00 && m_masks.blue == 0xFF) {
            // The common 24-bit layout: swap red and blue, no per-pixel call.
            std::uint32_t value = 0;
            std::memcpy(&value, image.data + y * image.bytes_per_line + x * 4, sizeof value);
            return RGB(static_cast<int>((value >> 16) & 0xFF),
                       static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF));
        }
        return ColourFromPixel(XGetPixel(&image, x, y), m_masks);
    }

    Display* m_display;
    Window m_root;
    bool m_trueColour = true;
    PixelMasks m_masks{0xFF0000, 0x00FF00, 0x0000FF};
    int m_width = 0;
    int m_height = 0;
};

} // namespace

void X11Platform::DisplayCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

std::unique_ptr<X11Platform> X11Platform::open(std::string& error, const char* displayName) {
    const char* name = displayName != nullptr ? displayName : std::getenv("DISPLAY");
    DisplayPtr display(XOpenDisplay(name));
    if (!display) {
        error = (name == nullptr || *name == '\0')
                    ? "no X display: DISPLAY is not set. Tintor needs an X11 session "
                      "(Xwayland works)."
                    : "cannot open X display \"" + std::string(name) +
                          "\". Tintor needs an X11 session (Xwayland works).";
        return nullptr;
    }
    // Sampling and painting assume colours are pixels; a colour-map screen gives neither.
    const int screen = DefaultScreen(display.get());
    const Visual* visual = DefaultVisual(display.get(), screen);
    const int depth = DefaultDepth(display.get(), screen);
    if ((visual->c_class != TrueColor && visual->c_class != DirectColor) || depth < 15) {
        error = "the X screen has " + std::to_string(depth) +
                "-bit colour-mapped pixels; Tintor needs a true-colour screen of 15 bits or more.";
        return nullptr;
    }
    XSetErrorHandler(reportXError);
    return std::unique_ptr<X11Platform>(new X11Platform(std::move(display)));
}

X11Platform::X11Platform(DisplayPtr display)
    : m_display(std::move(display)), m_canConfine(PointerConfinement::available(m_display.get())) {}

X11Platform::~X11Platform() = default;

std::unique_ptr<ScreenContext> X11Platform::GetDC() {
    return std::make_unique<X11ScreenContext>(m_display.get());
}

std::optional<ScreenPoint> X11Platform::GetCursorPos() {
    return QueryPointer(m_display.get());
}

std::optional<ScreenPoint> X11Platform::rootOrigin(unsigned long window) const {
    int x = 0;
    int y = 0;
    Window child = 0;
    Display* display = m_display.get();
    if (XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child) ==
        False) {
        return std::nullopt;
    }
    return ScreenPoint{x, y};
}

bool X11Platform::ClipCursor(std::optional<ScreenRect> area) {
    if (area && m_confinement && m_confinement->area() == *area) {
        return true; // every repaint asks again; the barriers already stand
    }
    m_confinement.reset();
    if (!area) {
        return true;
    }
    if (m_canConfine) {
        m_confinement = PointerConfinement::create(m_display.get(), *area);
    }
    return m_confinement != nullptr;
}
