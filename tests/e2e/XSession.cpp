#include "XSession.h"

#include <QElapsedTimer>
#include <QImage>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>

namespace {

int channelFromMask(unsigned long pixel, unsigned long mask) {
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    return static_cast<int>(((pixel & mask) >> shift) * 255 / top);
}

unsigned long pixelFromMask(int channel, unsigned long mask) {
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    return ((static_cast<unsigned long>(channel) * top + 127) / 255) << shift;
}

template <typename T> struct XFreer {
    void operator()(T* data) const { XFree(data); }
};

// Windows come and go while a program starts; asking about one that has just gone is not
// a failure of the test.
int ignoreXError(Display* /*display*/, XErrorEvent* /*event*/) {
    return 0;
}

} // namespace

XSession::XSession() : m_display(XOpenDisplay(nullptr)) {
    XSetErrorHandler(ignoreXError);
}

XSession::~XSession() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

unsigned long XSession::atom(const char* name) {
    return XInternAtom(m_display, name, False);
}

std::optional<Window> XSession::waitForWindow(qint64 pid, int timeoutMs) {
    return findWindow(pid, nullptr, timeoutMs);
}

std::optional<Window> XSession::waitForWindow(qint64 pid, const QString& title, int timeoutMs) {
    return findWindow(pid, &title, timeoutMs);
}

std::optional<Window> XSession::waitForTitle(const QString& title, int timeoutMs) {
    return findWindow(0, &title, timeoutMs);
}

bool XSession::viewable(Window window) {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(m_display, window, &attributes) != 0 &&
           attributes.map_state == IsViewable;
}

std::vector<Window> XSession::clientWindows() {
    // A window manager puts each client into a frame of its own; its list names the clients.
    if (!values(0, "_NET_SUPPORTING_WM_CHECK").empty()) {
        return values(0, "_NET_CLIENT_LIST");
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count) ==
        0) {
        return {};
    }
    const std::unique_ptr<Window, XFreer<Window>> owned(children);
    return {children, children + count};
}

std::optional<Window> XSession::findWindow(qint64 pid, const QString* title, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        for (const Window window : clientWindows()) {
            if (!viewable(window)) {
                continue;
            }
            const std::vector<unsigned long> owner = values(window, "_NET_WM_PID");
            const bool ours =
                pid == 0 || (owner.size() == 1 && owner.front() == static_cast<unsigned long>(pid));
            if (ours && (title == nullptr || this->title(window) == *title)) {
                return window;
            }
        }
        QThread::msleep(2);
    }
    return std::nullopt;
}

std::vector<unsigned long> XSession::values(Window window, const char* property) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Window target = window != 0 ? window : DefaultRootWindow(m_display);
    if (XGetWindowProperty(m_display, target, atom(property), 0, 64, False, AnyPropertyType, &type,
                           &format, &items, &after, &data) != Success ||
        data == nullptr) {
        return {};
    }
    const std::unique_ptr<unsigned char, XFreer<unsigned char>> owned(data);
    if (format != 32) {
        return {};
    }
    // Xlib hands 32-bit items over as longs.
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    return {longs, longs + items};
}

QString XSession::title(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m_display, window, atom("_NET_WM_NAME"), 0, 256, False,
                           atom("UTF8_STRING"), &type, &format, &items, &after, &data) != Success ||
        data == nullptr) {
        return {};
    }
    const std::unique_ptr<unsigned char, XFreer<unsigned char>> owned(data);
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(items));
}

QStringList XSession::atomList(Window window, const char* property) {
    QStringList names;
    for (const unsigned long item : values(window, property)) {
        char* name = XGetAtomName(m_display, item);
        if (name != nullptr) {
            names << QString::fromLatin1(name);
            XFree(name);
        }
    }
    return names;
}

QSize XSession::clientSize(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(m_display, window, &attributes);
    return {attributes.width, attributes.height};
}

QPoint XSession::rootPosition(Window window) {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y};
}

QSize XSession::fixedSizeHint(Window window) {
    XSizeHints hints{};
    long supplied = 0;
    if (XGetWMNormalHints(m_display, window, &hints, &supplied) == 0 ||
        (hints.flags & (PMinSize | PMaxSize)) != (PMinSize | PMaxSize) ||
        hints.min_width != hints.max_width || hints.min_height != hints.max_height) {
        return {};
    }
    return {hints.min_width, hints.min_height};
}

QSize XSession::screenSize() {
    const int screen = DefaultScreen(m_display);
    return {DisplayWidth(m_display, screen), DisplayHeight(m_display, screen)};
}

std::optional<Rgb> XSession::pixel(Window window, int x, int y) {
    XImage* image = XGetImage(m_display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return std::nullopt;
    }
    const unsigned long value = XGetPixel(image, 0, 0);
    const Rgb colour =
        Rgb(channelFromMask(value, image->red_mask), channelFromMask(value, image->green_mask),
            channelFromMask(value, image->blue_mask));
    XDestroyImage(image);
    return colour;
}

void XSession::requestClose(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(atom("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

Window XSession::showImage(int x, int y, const QImage& image) {
    const int screen = DefaultScreen(m_display);
    Visual* visual = DefaultVisual(m_display, screen);
    const Window root = DefaultRootWindow(m_display);
    const auto width = static_cast<unsigned>(image.width());
    const auto height = static_cast<unsigned>(image.height());
    const Pixmap pixmap = XCreatePixmap(m_display, root, width, height,
                                        static_cast<unsigned>(DefaultDepth(m_display, screen)));
    const GC gc = XCreateGC(m_display, pixmap, 0, nullptr);
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            const QRgb p = image.pixel(column, row);
            XSetForeground(m_display, gc,
                           pixelFromMask(qRed(p), visual->red_mask) |
                               pixelFromMask(qGreen(p), visual->green_mask) |
                               pixelFromMask(qBlue(p), visual->blue_mask));
            XDrawPoint(m_display, pixmap, gc, column, row);
        }
    }
    XFreeGC(m_display, gc);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixmap = pixmap;
    const Window window =
        XCreateWindow(m_display, root, x, y, width, height, 0, CopyFromParent, InputOutput,
                      CopyFromParent, CWOverrideRedirect | CWBackPixmap, &attributes);
    XFreePixmap(m_display, pixmap); // the window keeps its own reference
    XMapRaised(m_display, window);
    XSync(m_display, False);
    return window;
}

void XSession::destroyWindow(Window window) {
    XDestroyWindow(m_display, window);
    XSync(m_display, False);
}
