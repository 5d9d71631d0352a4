// The Xlib half of X11Platform: the connection, pointer reads and barriers.

#include "PlatformLog.h"
#include "PointerBarriers.h"
#include "X11ClipboardReader.h"
#include "X11Platform.h"
#include "X11ScreenReader.h"

#include "XPointer.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <optional>
#include <strings.h>
#include <unistd.h>
#include <utility>

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

// The process that made `window`, as its _NET_WM_PID says; -1 when it does not say.
long windowPid(Display* display, Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False,
                           XA_CARDINAL, &type, &format, &items, &after, &data) == Success &&
        format == 32 && items == 1) {
        pid = *reinterpret_cast<const long*>(data);
    }
    XFree(data);
    return pid;
}

// `window`'s WM_CLASS, or that of its first child with one: a window manager's frame holds
// its client one level down.
std::optional<std::pair<Window, XClassHint>> classed(Display* display, Window window) {
    XClassHint hint{};
    if (XGetClassHint(display, window, &hint) != 0) {
        return std::pair{window, hint};
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::optional<std::pair<Window, XClassHint>> found;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            if (XGetClassHint(display, children[i], &hint) != 0) {
                found = std::pair{children[i], hint};
            }
        }
        XFree(children);
    }
    return found;
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

void X11Platform::askAbove(unsigned long window, bool above) {
    Display* display = m_display.get();
    if (m_stateAtom == 0) {
        m_stateAtom = XInternAtom(display, "_NET_WM_STATE", False);
        m_aboveAtom = XInternAtom(display, "_NET_WM_STATE_ABOVE", False);
    }
    // The window manager owns the state of a managed window: it is asked, as EWMH says.
    constexpr long Remove = 0, Add = 1, FromApplication = 1;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = m_stateAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = above ? Add : Remove;
    event.xclient.data.l[1] = static_cast<long>(m_aboveAtom);
    event.xclient.data.l[3] = FromApplication;
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
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

QList<QRect> X11Platform::othersWindowsOfClass(const char* name) {
    Display* display = m_display.get();
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    QList<QRect> found;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned int i = 0; i < count; ++i) {
        const auto client = classed(display, children[i]);
        if (!client) {
            continue;
        }
        const auto [window, hint] = *client;
        const bool named =
            strcasecmp(hint.res_name, name) == 0 || strcasecmp(hint.res_class, name) == 0;
        XFree(hint.res_name);
        XFree(hint.res_class);
        XWindowAttributes attributes{};
        int x = 0;
        int y = 0;
        Window child = 0;
        if (named && windowPid(display, window) != getpid() &&
            XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable &&
            XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child) != 0) {
            found << QRect(x, y, attributes.width, attributes.height);
        }
    }
    XFree(children);
    return found;
}
