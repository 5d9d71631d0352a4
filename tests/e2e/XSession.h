#pragma once

// A small client for end-to-end tests: finds the program's window on the test server,
// reads its properties and pixels, and types on it through XTest.

#include "core/Rgb.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

struct _XDisplay;

// Xlib's Window and Atom, without Xlib's macros leaking into Qt code.
using Window = unsigned long;

class XSession {
public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    [[nodiscard]] bool connected() const { return m_display != nullptr; }
    [[nodiscard]] _XDisplay* display() const { return m_display; }

    // The viewable top-level window of process `pid`, waiting up to `timeoutMs`.
    std::optional<Window> waitForWindow(qint64 pid, int timeoutMs);
    // The same, for the one titled `title`.
    std::optional<Window> waitForWindow(qint64 pid, const QString& title, int timeoutMs);
    bool viewable(Window window);

    QString title(Window window);
    QStringList atomList(Window window, const char* property);
    QSize clientSize(Window window);
    QPoint rootPosition(Window window);
    QSize fixedSizeHint(Window window); // min == max size, or an empty size
    QSize screenSize();

    Rgb pixel(Window window, int x, int y);

    // An undecorated window at (x, y) showing `image` pixel for pixel; the server paints
    // it as the window's background, so it needs no drawing from this side.
    Window showImage(int x, int y, const class QImage& image);
    void destroyWindow(Window window);

    // The pointer and its buttons, through XTest (button 1 left, 3 right).
    void movePointer(int x, int y);
    void pressButton(int button);
    void releaseButton(int button);
    void clickAt(int x, int y, int button = 1);
    // A relative move, as a mouse makes it: pointer barriers stop it, unlike movePointer.
    void movePointerBy(int dx, int dy);
    QPoint pointer();

    void focus(Window window);
    void tapKey(unsigned long keysym, int times = 1);
    void requestClose(Window window);

private:
    unsigned long atom(const char* name);
    std::optional<Window> findWindow(qint64 pid, const QString* title, int timeoutMs);
    _XDisplay* m_display;
};
