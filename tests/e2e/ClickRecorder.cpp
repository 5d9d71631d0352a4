#include "ClickRecorder.h"

#include <QElapsedTimer>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>

ClickRecorder::ClickRecorder(const QString& title, const QRect& area, unsigned long rgb)
    : m_display(XOpenDisplay(nullptr)) {
    if (m_display == nullptr) {
        return;
    }
    Display* display = m_display;
    XSetWindowAttributes attributes{};
    attributes.background_pixel = pixelFor(rgb);
    attributes.event_mask = ButtonPressMask | StructureNotifyMask;
    m_window = XCreateWindow(display, DefaultRootWindow(display), area.x(), area.y(),
                             static_cast<unsigned>(area.width()),
                             static_cast<unsigned>(area.height()), 0, CopyFromParent, InputOutput,
                             CopyFromParent, CWBackPixel | CWEventMask, &attributes);
    const QByteArray name = title.toUtf8();
    XStoreName(display, m_window, name.constData());
    XChangeProperty(display, m_window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(name.constData()), name.size());
    // Placed where asked, and taking the keyboard focus like any ordinary program.
    XSizeHints size{};
    size.flags = USPosition | USSize;
    size.x = area.x();
    size.y = area.y();
    size.width = area.width();
    size.height = area.height();
    XSetWMNormalHints(display, m_window, &size);
    XWMHints hints{};
    hints.flags = InputHint;
    hints.input = True;
    XSetWMHints(display, m_window, &hints);
    XMapRaised(display, m_window);
    XSync(display, False);
    QElapsedTimer clock;
    clock.start();
    while (!m_shown && clock.elapsed() < 5000) {
        drain();
        XWindowAttributes state{};
        m_shown =
            XGetWindowAttributes(display, m_window, &state) != 0 && state.map_state == IsViewable;
        QThread::msleep(5);
    }
}

ClickRecorder::~ClickRecorder() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display); // takes the window with it
    }
}

unsigned long ClickRecorder::pixelFor(unsigned long rgb) const {
    const Visual* visual = DefaultVisual(m_display, DefaultScreen(m_display));
    const auto channel = [](unsigned long value, unsigned long mask) {
        const int shift = std::countr_zero(mask);
        return ((value * (mask >> shift) + 127) / 255) << shift;
    };
    return channel((rgb >> 16) & 0xFF, visual->red_mask) |
           channel((rgb >> 8) & 0xFF, visual->green_mask) | channel(rgb & 0xFF, visual->blue_mask);
}

void ClickRecorder::drain() {
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.type == ButtonPress && event.xbutton.window == m_window) {
            m_presses.emplace_back(event.xbutton.x, event.xbutton.y);
        } else if (event.type == SelectionRequest) {
            answer(event);
        }
    }
}

const std::vector<QPoint>& ClickRecorder::presses() {
    if (m_display != nullptr) {
        XSync(m_display, False);
        drain();
    }
    return m_presses;
}

void ClickRecorder::ownClipboard(const QByteArray& answer) {
    m_answer = answer;
    m_requests = 0;
    XSetSelectionOwner(m_display, XInternAtom(m_display, "CLIPBOARD", False), m_window,
                       CurrentTime);
    XSync(m_display, False);
}

int ClickRecorder::clipboardRequests() {
    presses();
    return m_requests;
}

void ClickRecorder::answer(const XEvent& event) {
    ++m_requests;
    const XSelectionRequestEvent& request = event.xselectionrequest;
    const Atom targets = XInternAtom(m_display, "TARGETS", False);
    const Atom text = XInternAtom(m_display, "UTF8_STRING", False);
    const Atom colour = XInternAtom(m_display, "application/x-color", False);
    if (m_answer == "silent" || (m_answer == "targets" && request.target != targets)) {
        return;
    }
    XSelectionEvent notify{SelectionNotify,
                           0,
                           True,
                           m_display,
                           request.requestor,
                           request.selection,
                           request.target,
                           request.property,
                           request.time};
    if (request.target == targets) {
        const Atom offered[] = {targets, m_answer == "x-color" ? colour : text};
        XChangeProperty(m_display, request.requestor, request.property, XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(offered), 2);
    } else if (m_answer == "incr") {
        const long size = 1000;
        XChangeProperty(m_display, request.requestor, request.property,
                        XInternAtom(m_display, "INCR", False), 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&size), 1);
    } else if (m_answer == "x-color") { // Qt's colour data: #FF8000 at half opacity
        const unsigned short rgba[] = {0xFFFF, 0x8080, 0, 0x8000};
        XChangeProperty(m_display, request.requestor, request.property, colour, 16, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(rgba), 4);
    } else {
        XChangeProperty(m_display, request.requestor, request.property, text, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(m_answer.constData()),
                        static_cast<int>(m_answer.size()));
    }
    XSendEvent(m_display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&notify));
    XFlush(m_display);
}
