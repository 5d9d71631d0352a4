#pragma once

// Another program on the test server: a plain Xlib window, on a connection of its own, that
// counts the button presses it receives.  Tests use it to see whether a click that Tintor
// should have taken (or let go) reached someone else.  It can own the clipboard too.

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>

#include <vector>

struct _XDisplay;
using Window = unsigned long;

class ClickRecorder {
public:
    // A window of `area` (client rectangle asked for) filled with `rgb` (0xRRGGBB), titled
    // `title`, shown and waited for; a window manager may place it as it likes.
    ClickRecorder(const QString& title, const QRect& area, unsigned long rgb);
    ~ClickRecorder();
    ClickRecorder(const ClickRecorder&) = delete;
    ClickRecorder& operator=(const ClickRecorder&) = delete;

    [[nodiscard]] bool shown() const { return m_shown; }
    [[nodiscard]] Window window() const { return m_window; }

    // Where the presses received so far landed, in window coordinates.
    const std::vector<QPoint>& presses();
    int pressCount() { return static_cast<int>(presses().size()); }

    // Takes the clipboard, answering as `answer` says: "silent" never, "targets" only with
    // its targets, "incr" with an increment that never comes, "x-color" with Qt's colour data
    // for #FF8000 at half opacity, anything else with that text.
    void ownClipboard(const QByteArray& answer);
    // The clipboard requests received so far, answered or not; call it while one is awaited.
    int clipboardRequests();

private:
    void drain();
    void answer(const union _XEvent& request);
    unsigned long pixelFor(unsigned long rgb) const;

    _XDisplay* m_display = nullptr;
    Window m_window = 0;
    bool m_shown = false;
    std::vector<QPoint> m_presses;
    QByteArray m_answer;
    int m_requests = 0;
};
