#pragma once

#include <QRect>

class QWidget;

// The one rule by which Tintor places its windows: the window's client area centred over an
// owner's, each half-difference rounded toward zero, and never left of or above 0.  Client
// areas, not frames: a window manager adds the same frame to the main window and its
// dialogs, and a window's own frame is unknown until it is first shown.
QPoint centredOver(const QRect& owner, const QSize& size);

// Centres `window` on the primary screen (the main window at start-up).
void centreOnPrimaryScreen(QWidget& window);

// Centres `window` over `owner`'s client area.
void centreOver(QWidget& window, const QWidget& owner);
