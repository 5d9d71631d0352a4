#pragma once

#include "LinkOpener.h"

#include <QString>

// Runs a launcher program (found on PATH) with the address as its one argument (no shell is
// involved), without waiting for it.  It fails when the launcher cannot be started,
// crashes or exits with an error status; it succeeds when the launcher exits cleanly or is
// still running at the verdict.
class UrlLauncher final : public LinkOpener {
public:
    // Without a desktop environment xdg-open runs the handler in the foreground and only
    // exits with it; a launcher still running after `verdictMs` has started a handler.
    explicit UrlLauncher(QString program = QStringLiteral("xdg-open"), int verdictMs = 5000);

    void open(QObject& owner, const QString& url,
              std::function<void(const Result<void>&)> done) override;

private:
    QString m_program;
    int m_verdictMs;
};
