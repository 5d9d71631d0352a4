#pragma once

// A small client for end-to-end tests: finds the program's window on the test server,
// reads its properties and pixels, and types on it through XTest.

#include "Rgb.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

struct _XDisplay;

// Whether `seen` was read and is not `colour`: a read that failed shows no change.
inline bool readsOtherThan(std::optional<Rgb> seen, Rgb colour) {
    return seen && *seen != colour;
}

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
    // Any program's viewable client window titled `title`.
    std::optional<Window> waitForTitle(const QString& title, int timeoutMs);
    // The client windows: the window manager's list when one runs, else the root's children.
    std::vector<Window> clientWindows();
    bool viewable(Window window);

    QString title(Window window);
    QStringList atomList(Window window, const char* property);
    // A property of 32-bit items (CARDINAL, WINDOW, ATOM or the property's own type), on the
    // root when `window` is 0.
    std::vector<unsigned long> values(Window window, const char* property);
    QSize clientSize(Window window);
    QPoint rootPosition(Window window);
    QRect clientRect(Window window) { return {rootPosition(window), clientSize(window)}; }
    QSize fixedSizeHint(Window window); // min == max size, or an empty size
    QSize screenSize();

    // Nothing when the window cannot be read (it is not shown, or (x, y) is outside it).
    std::optional<Rgb> pixel(Window window, int x, int y);

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
    // Returns where the pointer stopped.
    QPoint movePointerBy(int dx, int dy);
    QPoint pointer();

    // Sets the keyboard focus directly; under a window manager, use WindowManager::activate.
    void focus(Window window);
    void tapKey(unsigned long keysym, int times = 1);
    // `keysym` while `modifier` (a modifier's keysym, such as XK_Alt_L) is held.
    void chord(unsigned long modifier, unsigned long keysym);
    void pressKey(unsigned long keysym);
    void releaseKey(unsigned long keysym);
    void requestClose(Window window);

    unsigned long atom(const char* name);

private:
    std::optional<Window> findWindow(qint64 pid, const QString* title, int timeoutMs);
    _XDisplay* m_display;
};
