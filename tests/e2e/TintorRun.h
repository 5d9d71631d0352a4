#pragma once

// One run of the built program on the test server, for end-to-end tests: started in the
// tests' plain environment, its main window found, and ended with the run.

#include "XSession.h"

#include <QPoint>
#include <QProcess>
#include <QStringList>

#include <optional>

// Client positions in the main window, in layout pixels.
namespace MainWindowAt {
inline const QPoint OptionsButton(70, 149);
inline const QPoint AboutButton(118, 149);
inline const QPoint PickButton(178, 149);
inline const QPoint ColourSwatch(240, 108); // clear of the dialogs centred over the window
inline const QPoint Magnifier(31, 32);      // the middle of the magnified view
} // namespace MainWindowAt

// Client positions in the About window and the Options dialog, in layout pixels.
namespace AboutWindowAt {
inline const QPoint AuthorButton(335, 136);
inline const QPoint MailButton(75, 231);
inline const QPoint OkButton(185, 231);
inline const QPoint HomeButton(297, 231);
} // namespace AboutWindowAt
namespace OptionsDialogAt {
inline const QPoint CancelButton(118, 124);
}

class TintorRun {
public:
    // `extra` as for ProgramEnvironment; `pathFirst`, when given, goes before PATH.
    TintorRun(XSession& x, const QStringList& extra = {}, const QString& pathFirst = {});
    ~TintorRun();
    TintorRun(const TintorRun&) = delete;
    TintorRun& operator=(const TintorRun&) = delete;

    // The main window, or 0 when none showed within ten seconds.
    [[nodiscard]] Window main() const { return m_main; }
    QProcess& process() { return m_process; }
    std::optional<Window> waitForTitle(const QString& title, int timeoutMs = 5000);

    void clickIn(Window window, QPoint client, int button = 1);
    Rgb swatch();
    // Asks the main window to close; the exit code, or -1 when the program did not end
    // normally within `timeoutMs`.
    int close(int timeoutMs = 10000);

private:
    XSession& m_x;
    QProcess m_process;
    Window m_main = 0;
};
