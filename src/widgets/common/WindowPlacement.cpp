#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

// The start (left or top) that centres `extent` over an owner at `ownerStart` of
// `ownerExtent`: half the difference rounded toward zero, never below 0.
int centredStart(int ownerStart, int ownerExtent, int extent) {
    return std::max(0, ownerStart + (ownerExtent - extent) / 2);
}

// What the window manager adds around `window`'s client area; nothing until it is framed.
QMargins frameMargins(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

// Moves a frame that reaches past the screen's right or bottom edge back onto it.  A frame
// larger than the screen then reaches past its left or top edge instead: the buttons of
// Tintor's windows lie at their bottom, and must stay where the pointer can go.
QPoint keptOnScreen(QPoint topLeft, const QSize& frame, const QRect& screen) {
    if (screen.isValid()) {
        topLeft.rx() = std::min(topLeft.x(), screen.left() + screen.width() - frame.width());
        topLeft.ry() = std::min(topLeft.y(), screen.top() + screen.height() - frame.height());
    }
    return topLeft;
}

// Puts `window`'s frame, `margins` around its client area, centred over `area`.
void centreFrame(QWidget& window, const QRect& area, const QMargins& margins,
                 const QRect& screen = {}) {
    const QSize frame = window.size().grownBy(margins);
    const QPoint frameTopLeft = keptOnScreen(centredOver(area, frame), frame, screen);
    window.setGeometry(QRect(frameTopLeft + QPoint(margins.left(), margins.top()), window.size()));
}

} // namespace

QPoint centredOver(const QRect& owner, const QSize& size) {
    return {centredStart(owner.left(), owner.width(), size.width()),
            centredStart(owner.top(), owner.height(), size.height())};
}

void centreOnPrimaryScreen(QWidget& window) {
    // Without any monitor Qt still offers the X screen as one; with none at all the window
    // stays at the origin, which is on every screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->geometry() : QRect();
    if (!area.isValid()) {
        window.move(0, 0);
        return;
    }
    centreFrame(window, area, frameMargins(window));
}

void centreClearOf(QWidget& window, const QList<QRect>& taken) {
    centreOnPrimaryScreen(window);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (taken.isEmpty() || screen == nullptr) {
        return;
    }
    // Frames as the window manager draws them: the others' as this one's.
    const QMargins margins = frameMargins(window) + QMargins(4, 4, 4, 4);
    QList<QRect> framed;
    for (const QRect& other : taken) {
        framed << other.marginsAdded(margins);
    }
    const QRect centred = window.geometry().marginsAdded(margins);
    const auto clear = [&](const QRect& at) {
        return screen->geometry().contains(at) &&
               std::none_of(framed.begin(), framed.end(),
                            [&at](const QRect& other) { return other.intersects(at); });
    };
    std::optional<QRect> best;
    const auto distance = [&centred](const QRect& at) {
        return (at.center() - centred.center()).manhattanLength();
    };
    for (const QRect& other : framed) {
        for (const QPoint& shift : {QPoint(other.right() + 1 - centred.left(), 0),
                                    QPoint(other.left() - 1 - centred.right(), 0),
                                    QPoint(0, other.bottom() + 1 - centred.top()),
                                    QPoint(0, other.top() - 1 - centred.bottom())}) {
            const QRect at = centred.translated(shift);
            if (clear(at) && (!best || distance(at) < distance(*best))) {
                best = at;
            }
        }
    }
    if (!clear(centred) && best) {
        window.move(window.pos() + best->topLeft() - centred.topLeft());
    }
}

void centreOver(QWidget& window, const QWidget& owner) {
    // A framed window gets the frame its owner has: the window manager frames them alike.
    const bool framed = !window.windowFlags().testFlag(Qt::FramelessWindowHint);
    const QScreen* screen = owner.screen();
    centreFrame(window, owner.frameGeometry(), framed ? frameMargins(owner) : QMargins(),
                screen != nullptr ? screen->geometry() : QRect());
}

void centreOverParentOnce(QWidget& window) {
    if (!window.testAttribute(Qt::WA_Moved) && window.parentWidget() != nullptr) {
        centreOver(window, *window.parentWidget());
    }
}

void setUpFixedWindow(QWidget& window) {
    window.setFixedSize(window.size());
    window.setBackgroundRole(QPalette::Button);
}

void showOnButtonFace(QWidget& text) {
    QPalette palette = text.palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    text.setPalette(palette);
}
