#include "WindowManager.h"

#include <QThread>

#include <X11/Xlib.h>
#include <X11/keysym.h>

bool WindowManager::running() {
    return !m_x.values(0, "_NET_SUPPORTING_WM_CHECK").empty();
}

QMargins WindowManager::frameExtents(Window client) {
    const std::vector<unsigned long> extents = m_x.values(client, "_NET_FRAME_EXTENTS");
    if (extents.size() != 4) {
        return {};
    }
    // The property lists left, right, top, bottom.
    return {static_cast<int>(extents[0]), static_cast<int>(extents[2]),
            static_cast<int>(extents[1]), static_cast<int>(extents[3])};
}

QRect WindowManager::frameRect(Window client) {
    return m_x.clientRect(client).marginsAdded(frameExtents(client));
}

QStringList WindowManager::withoutPrefix(const QStringList& names, const QString& prefix) {
    QStringList shortened;
    for (const QString& name : names) {
        shortened << (name.startsWith(prefix) ? name.mid(prefix.size()) : name);
    }
    return shortened;
}

QStringList WindowManager::allowedActions(Window client) {
    return withoutPrefix(m_x.atomList(client, "_NET_WM_ALLOWED_ACTIONS"),
                         QStringLiteral("_NET_WM_ACTION_"));
}

QStringList WindowManager::state(Window client) {
    return withoutPrefix(m_x.atomList(client, "_NET_WM_STATE"), QStringLiteral("_NET_WM_STATE_"));
}

std::optional<MotifHints> WindowManager::motifHints(Window client) {
    const std::vector<unsigned long> items = m_x.values(client, "_MOTIF_WM_HINTS");
    if (items.size() < 3) {
        return std::nullopt;
    }
    return MotifHints{items[0], items[1], items[2]};
}

Window WindowManager::activeWindow() {
    const std::vector<unsigned long> active = m_x.values(0, "_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active.front();
}

bool WindowManager::isActive(Window client) {
    Display* display = m_x.display();
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // The focus may lie on the client or on a window inside it.
    while (focus != client && focus > PointerRoot && focus != DefaultRootWindow(display)) {
        ::Window root = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, focus, &root, &focus, &children, &count) == 0) {
            return false;
        }
        XFree(children);
    }
    return focus == client && activeWindow() == client;
}

std::vector<Window> WindowManager::stacking() {
    return m_x.values(0, "_NET_CLIENT_LIST_STACKING");
}

void WindowManager::sendToRoot(Window client, const char* message, const long (&data)[5]) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = client;
    event.xclient.message_type = m_x.atom(message);
    event.xclient.format = 32;
    for (int i = 0; i < 5; ++i) {
        event.xclient.data.l[i] = data[i];
    }
    Display* display = m_x.display();
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(display, False);
}

void WindowManager::activate(Window client) {
    // Source 2: a pager, which window managers obey without focus-stealing checks.
    sendToRoot(client, "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0, 0, 0});
}

void WindowManager::minimise(Window client) {
    sendToRoot(client, "WM_CHANGE_STATE", {3, 0, 0, 0, 0}); // IconicState
}

void WindowManager::moveFrame(Window client, QPoint frameTopLeft) {
    // North-west gravity, x and y given, from a pager (source 2 in bits 12..15).
    const long flags = 1 | (1 << 8) | (1 << 9) | (2 << 12);
    sendToRoot(client, "_NET_MOVERESIZE_WINDOW", {flags, frameTopLeft.x(), frameTopLeft.y(), 0, 0});
}

void WindowManager::altDrag(QPoint from, QPoint to) {
    constexpr int Steps = 10;
    m_x.movePointer(from.x(), from.y());
    m_x.pressKey(XK_Alt_L);
    m_x.pressButton(1);
    QThread::msleep(30);
    for (int step = 1; step <= Steps; ++step) {
        const QPoint at = from + (to - from) * step / Steps;
        m_x.movePointer(at.x(), at.y());
        QThread::msleep(15);
    }
    m_x.releaseButton(1);
    m_x.releaseKey(XK_Alt_L);
    QThread::msleep(50);
}
