#pragma once

#include <QString>

#include <functional>

class QObject;

// How a target is handed to the desktop: the launcher program (found on PATH) and how long
// a launcher that is still running counts as undecided.
struct UrlLauncher {
    QString program = QStringLiteral("xdg-open");
    // Without a desktop environment xdg-open runs the handler in the foreground and only
    // exits with it; a launcher still running after this long has started a handler.
    int verdictMs = 5000;
};

// Runs the launcher with `target` as its one argument (no shell is involved), without
// waiting for it.  `done(opened)` runs once, from the event loop: false when the launcher
// cannot be started, crashes or exits with an error status, true when it exits cleanly or
// is still running at the verdict.  Destroying `owner` first cancels `done`.
void launchUrl(QObject& owner, const QString& target, std::function<void(bool)> done,
               const UrlLauncher& launcher = {});
