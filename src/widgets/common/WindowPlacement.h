#pragma once

#include <QList>
#include <QRect>

class QWidget;

// The one rule by which Tintor places its windows: a window's frame centred over its owner's
// frame (or the primary screen), each half-difference rounded toward zero, never left of or
// above 0.
QPoint centredOver(const QRect& owner, const QSize& size);

// Centres `window` on the primary screen.  Before the window manager has framed the window
// its frame is unknown: call again once it has been shown.
void centreOnPrimaryScreen(QWidget& window);

// As centreOnPrimaryScreen(), but where that would cover one of `taken` (windows' client
// areas, in logical pixels), beside the nearest of them, clear of all and on the screen.
void centreClearOf(QWidget& window, const QList<QRect>& taken);

// Centres `window` over `owner`, which is shown.
void centreOver(QWidget& window, const QWidget& owner);

// Centres `window` over its parent the first time it is shown; later showings keep the place
// it was moved to.  Call it before the window shows.
void centreOverParentOnce(QWidget& window);

// Sets up a window as laid out in its form, as all of Tintor's are: its laid-out size fixed,
// and the button-face colour behind it.
void setUpFixedWindow(QWidget& window);

// Lets a text that shows, never edits, lie on the window's button-face colour.
void showOnButtonFace(QWidget& text);
