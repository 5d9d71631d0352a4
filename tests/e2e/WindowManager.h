#pragma once

// What the window manager of the test server says about a client window, and the requests a
// user or a pager makes of it.  Without a window manager every window is its own frame.

#include "XSession.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <optional>

// The Motif hints a program sets on its window (_MOTIF_WM_HINTS), as window managers read them.
struct MotifHints {
    static constexpr unsigned long Functions = 1, Decorations = 2;
    static constexpr unsigned long FunctionAll = 1, FunctionResize = 2, FunctionMove = 4,
                                   FunctionMinimize = 8, FunctionMaximize = 16, FunctionClose = 32;
    static constexpr unsigned long DecorAll = 1, DecorBorder = 2, DecorResizeHandle = 4,
                                   DecorTitle = 8, DecorMenu = 16, DecorMinimize = 32,
                                   DecorMaximize = 64;
    unsigned long flags = 0;
    unsigned long functions = 0;
    unsigned long decorations = 0;
};

class WindowManager {
public:
    explicit WindowManager(XSession& x) : m_x(x) {}

    // Whether a window manager owns the screen (_NET_SUPPORTING_WM_CHECK).
    [[nodiscard]] bool running();

    // The frame's borders around the client (_NET_FRAME_EXTENTS); none without a frame.
    QMargins frameExtents(Window client);
    // The client's rectangle on the root grown by its frame.
    QRect frameRect(Window client);
    QStringList allowedActions(Window client); // _NET_WM_ALLOWED_ACTIONS, without the prefix
    QStringList state(Window client);          // _NET_WM_STATE, without the prefix
    std::optional<MotifHints> motifHints(Window client);
    Window activeWindow(); // _NET_ACTIVE_WINDOW, 0 when none
    // What a user waits for before typing: `client` is marked active and the server sends it
    // the keys (the window manager marks a window active only once it sees the focus arrive,
    // so the mark may still name the window that had it before).
    bool isActive(Window client);
    // Bottom to top (_NET_CLIENT_LIST_STACKING).
    std::vector<Window> stacking();

    // Asks the window manager to activate `client`, as a pager or task bar does.
    void activate(Window client);
    // Moves the window as a user does: Alt held, the left button dragged from `from` to `to`
    // (root positions) in small steps.
    void altDrag(QPoint from, QPoint to);
    // Asks the window manager to put the frame's top-left corner at `frameTopLeft`.
    void moveFrame(Window client, QPoint frameTopLeft);
    // Asks the window manager to minimise `client`, as XIconifyWindow does.
    void minimise(Window client);

private:
    void sendToRoot(Window client, const char* message, const long (&data)[5]);
    QStringList withoutPrefix(const QStringList& names, const QString& prefix);

    XSession& m_x;
};
