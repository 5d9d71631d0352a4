#include "PointerBarriers.h"

#include "XPointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>

bool PointerBarriers::available(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    if (XFixesQueryExtension(display, &eventBase, &errorBase) == False) {
        return false;
    }
    int major = 5;
    int minor = 0;
    return XFixesQueryVersion(display, &major, &minor) != 0 && major >= 5;
}

std::unique_ptr<PointerBarriers> PointerBarriers::create(Display* display, const QRect& area) {
    if (area.isEmpty()) {
        return nullptr;
    }
    return std::unique_ptr<PointerBarriers>(new PointerBarriers(display, area));
}

PointerBarriers::PointerBarriers(Display* display, const QRect& area)
    : m_display(display), m_area(area) {
    const Window root = DefaultRootWindow(display);

    // Barriers stop motion, not position: a pointer outside would stay outside.
    if (const auto pointer = queryPointer(display);
        pointer && !area.contains(pointer->first, pointer->second)) {
        XWarpPointer(display, None, root, 0, 0, 0, 0,
                     std::clamp(pointer->first, area.left(), area.right()),
                     std::clamp(pointer->second, area.top(), area.bottom()));
    }

    // A vertical barrier at x keeps the pointer between columns x - 1 and x, so the right
    // and bottom barriers lie just past the last column and row.  The server tests where a
    // move crosses a barrier at the point mirrored about the move's start, which can fall
    // up to the rectangle's own extent beyond either end; barriers that long stop every move
    // that starts inside, corners included.
    const int left = area.left();
    const int top = area.top();
    const int right = area.left() + area.width();
    const int bottom = area.top() + area.height();
    const int w = area.width();
    const int h = area.height();
    m_barriers = {
        XFixesCreatePointerBarrier(display, root, left, top - h, left, bottom + h, 0, 0, nullptr),
        XFixesCreatePointerBarrier(display, root, right, top - h, right, bottom + h, 0, 0, nullptr),
        XFixesCreatePointerBarrier(display, root, left - w, top, right + w, top, 0, 0, nullptr),
        XFixesCreatePointerBarrier(display, root, left - w, bottom, right + w, bottom, 0, 0,
                                   nullptr),
    };
    XSync(display, False); // in force once the call returns
}

PointerBarriers::~PointerBarriers() {
    for (const PointerBarrier barrier : m_barriers) {
        XFixesDestroyPointerBarrier(m_display, barrier);
    }
    XSync(m_display, False);
}
