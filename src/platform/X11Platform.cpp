#include "X11Platform.h"

#include "core/ColourMaths.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Xlib's default handler ends the process on any protocol error; a colour picker that
// cannot read one rectangle should carry on instead.
int reportXError(Display* display, XErrorEvent* event) {
    char text[128];
    XGetErrorText(display, event->error_code, text, sizeof text);
    std::fprintf(stderr, "tintor: X error ignored: %s (request %d)\n", text, event->request_code);
    return 0;
}

class X11ScreenContext final : public ScreenContext {
public:
    explicit X11ScreenContext(Display* display) {
        const Visual* visual = DefaultVisual(display, DefaultScreen(display));
        m_trueColour = visual->c_class == TrueColor || visual->c_class == DirectColor;
        m_redMask = visual->red_mask;
        m_greenMask = visual->green_mask;
        m_blueMask = visual->blue_mask;
    }

    [[nodiscard]] ColourRef GetNearestColor(ColourRef colour) const override {
        if (!m_trueColour) {
            return colour;
        }
        return NearestTrueColour(colour, m_redMask, m_greenMask, m_blueMask);
    }

private:
    bool m_trueColour = true;
    unsigned long m_redMask = 0xFF0000;
    unsigned long m_greenMask = 0x00FF00;
    unsigned long m_blueMask = 0x0000FF;
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
    XSetErrorHandler(reportXError);
    return std::unique_ptr<X11Platform>(new X11Platform(std::move(display)));
}

X11Platform::X11Platform(DisplayPtr display) : m_display(std::move(display)) {}

X11Platform::~X11Platform() = default;

std::unique_ptr<ScreenContext> X11Platform::GetDC() {
    return std::make_unique<X11ScreenContext>(m_display.get());
}
