#pragma once

// One run of the built program on the test server, for end-to-end tests: started in the
// tests' plain environment, its main window found, its controls clicked where the layout puts
// them (at the window's own scale), and ended with the run.

#include "WindowTitles.h"
#include "XSession.h"

#include <QPoint>
#include <QProcess>
#include <QStringList>

#include <optional>

// Client positions in the main window, in layout pixels.
namespace MainWindowAt {
inline const QSize Size(264, 168);
inline const QSize WithContrast(264, 284);
inline const QPoint OptionsButton(70, 149);
inline const QPoint AboutButton(118, 149);
inline const QPoint PickButton(178, 149);
inline const QPoint ColourSwatch(240, 108); // clear of the dialogs centred over the window
inline const QPoint WebSwatch(240, 124);
inline const QPoint Magnifier(31, 32); // the middle of the magnified view
} // namespace MainWindowAt

// Client positions in the About window and the Options dialog, in layout pixels.
namespace AboutWindowAt {
inline const QPoint AuthorButton(335, 136);
inline const QPoint MailButton(75, 231);
inline const QPoint OkButton(185, 231);
inline const QPoint AuthorOkButton(184, 231);
inline const QPoint HomeButton(297, 231);
} // namespace AboutWindowAt
namespace OptionsDialogAt {
inline const QPoint OkButton(54, 124);
inline const QPoint CancelButton(118, 124);
// The centre of the radio indicator of method `item`.
inline QPoint method(int item) {
    return {23, 34 + 19 * item};
}
} // namespace OptionsDialogAt

class TintorRun {
public:
    // The program under test: the one built beside the tests, or TINTOR_EXE (an installed one).
    static QString program();
    // The environment the program starts in: this process's own, without the locale and
    // toolkit-platform choices of whoever runs the tests, plus `extra` ("NAME=value" each,
    // applied in order).
    static QProcessEnvironment environment(const QStringList& extra = {});
    // Puts an xdg-open running `script` in `folder`, a stand-in launcher for `pathFirst`.
    static bool writeLauncher(const QString& folder, const QByteArray& script);

    // `extra` as for environment(); `pathFirst`, when given, goes before PATH.
    TintorRun(XSession& x, const QStringList& extra = {}, const QString& pathFirst = {},
              const QStringList& arguments = {});
    ~TintorRun();
    TintorRun(const TintorRun&) = delete;
    TintorRun& operator=(const TintorRun&) = delete;

    // The main window, or 0 when none showed within 30 seconds (a loaded machine starts
    // programs slowly).
    [[nodiscard]] Window main() const { return m_main; }
    QProcess& process() { return m_process; }
    QString title() { return m_x.title(m_main); }
    std::optional<Window> waitForTitle(const QString& title, int timeoutMs = 5000);
    // Clicks the main window's `button` and waits for the window it opens, titled `title`.
    std::optional<Window> open(QPoint button, const QString& title);
    // The About window, opened from its button once its first painting holds the pointer.
    std::optional<Window> openAbout();

    // `client` in layout pixels of `window`, scaled as the program scales its windows.
    void clickIn(Window window, QPoint client, int button = 1);
    void click(QPoint inMain, int button = 1) { clickIn(m_main, inMain, button); }
    std::optional<Rgb> swatch();
    // What a screen reader reads of the program's windows, "name | description" a line:
    // only under ACCESSIBLE, where the program starts with Qt's AT-SPI bridge on.
    QStringList accessibleNames();
    // Asks the main window to close; the exit code, or -1 when the program did not end
    // normally within `timeoutMs`.
    int close(int timeoutMs = 10000);

private:
    XSession& m_x;
    QProcess m_process;
    Window m_main = 0;
    int m_scale = 1;
};
