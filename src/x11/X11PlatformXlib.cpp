// The Xlib half of X11Platform: the connection, pointer reads and barriers.

#include "PlatformLog.h"
#include "PointerBarriers.h"
#include "X11ClipboardReader.h"
#include "X11Platform.h"
#include "X11ScreenReader.h"

#include "XPointer.h"

#include <cstdlib>

namespace {

// Xlib's default handler ends the process on any protocol error; a colour picker that
// cannot read one rectangle should carry on instead.
int reportXError(Display* display, XErrorEvent* event) {
    char text[128];
    XGetErrorText(display, event->error_code, text, sizeof text);
    qCWarning(lcPlatform).nospace()
        << "X error ignored: " << text << " (request " << event->request_code << ')';
    return 0;
}

// Colours are read and drawn as eight bits a channel; a colour-map screen can show neither
// the swatches nor the magnifier faithfully.
bool showsTrueColour(Display* display) {
    const Visual* visual = DefaultVisual(display, DefaultScreen(display));
    return (visual->c_class == TrueColor || visual->c_class == DirectColor) &&
           DefaultDepth(display, DefaultScreen(display)) >= 15;
}

} // namespace

void X11Platform::DisplayCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

Result<std::unique_ptr<X11Platform>> X11Platform::open(const char* displayName) {
    const char* name = displayName != nullptr ? displayName : std::getenv("DISPLAY");
    DisplayPtr display(XOpenDisplay(name));
    if (!display) {
        return Failure{(name == nullptr || *name == '\0')
                           ? QStringLiteral("no X display: DISPLAY is not set. Tintor needs an "
                                            "X11 session (Xwayland works).")
                           : QStringLiteral("cannot open X display \"%1\". Tintor needs an X11 "
                                            "session (Xwayland works).")
                                 .arg(QString::fromLocal8Bit(name))};
    }
    if (!showsTrueColour(display.get())) {
        return Failure{QStringLiteral("the screen of display \"%1\" has %2-bit colour-mapped "
                                      "pixels; Tintor needs a true-colour screen of 15 bits "
                                      "or more.")
                           .arg(QString::fromLocal8Bit(DisplayString(display.get())))
                           .arg(DefaultDepth(display.get(), 0))};
    }
    XSetErrorHandler(reportXError);
    return std::unique_ptr<X11Platform>(new X11Platform(std::move(display)));
}

X11Platform::X11Platform(DisplayPtr display)
    : m_display(std::move(display)), m_canConfine(PointerBarriers::available(m_display.get())) {}

X11Platform::~X11Platform() = default;

std::unique_ptr<ScreenReader> X11Platform::screenReader() {
    return std::make_unique<X11ScreenReader>(m_display.get());
}

std::optional<QPoint> X11Platform::pointerPosition() {
    const auto pointer = queryPointer(m_display.get());
    return pointer ? std::optional(QPoint(pointer->first, pointer->second)) : std::nullopt;
}

void X11Platform::movePointerBy(QPoint offset) {
    // On the connection the pointer is read through, so the next read sees the move.
    XWarpPointer(m_display.get(), None, None, 0, 0, 0, 0, offset.x(), offset.y());
    XFlush(m_display.get());
}

std::optional<QPoint> X11Platform::rootOrigin(unsigned long window) const {
    int x = 0;
    int y = 0;
    Window child = 0;
    Display* display = m_display.get();
    if (XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child) ==
        False) {
        return std::nullopt;
    }
    return QPoint(x, y);
}

void X11Platform::setMotifHints(unsigned long window, unsigned long functions,
                                unsigned long decorations) {
    Display* display = m_display.get();
    if (m_motifHintsAtom == 0) {
        m_motifHintsAtom = XInternAtom(display, "_MOTIF_WM_HINTS", False); // one round trip
    }
    const Atom hints = m_motifHintsAtom;
    constexpr unsigned long FunctionsAndDecorations = (1UL << 0) | (1UL << 1);
    const unsigned long data[5] = {FunctionsAndDecorations, functions, decorations, 0, 0};
    XChangeProperty(display, window, hints, hints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data), 5);
    XFlush(display);
}

bool X11Platform::confinePointer(std::optional<QRect> area) {
    if (area && m_barriers && m_barriers->area() == *area) {
        return true; // every exposure asks again; the barriers already stand
    }
    m_barriers.reset();
    if (!area) {
        return true;
    }
    if (m_canConfine) {
        m_barriers = PointerBarriers::create(m_display.get(), *area);
    }
    return m_barriers != nullptr;
}

std::unique_ptr<ClipboardReader> X11Platform::clipboardReader() {
    return std::make_unique<X11ClipboardReader>(DisplayString(m_display.get()));
}
