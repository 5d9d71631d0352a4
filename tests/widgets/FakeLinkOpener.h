#pragma once

#include "LinkOpener.h"

#include <QString>
#include <QTimer>

#include <vector>

// Stands in for the desktop's launcher: records every address and answers, from the event
// loop as the real one does, with the outcome the test chooses.
class FakeLinkOpener final : public LinkOpener {
public:
    std::vector<QString> opened; // every address handed over
    bool linksOpen = true;       // what the desktop answers

    void open(QObject& owner, const QString& url,
              std::function<void(const Result<void>&)> done) override {
        opened.push_back(url);
        const Result<void> outcome =
            linksOpen ? Result<void>() : Failure{QStringLiteral("no handler")};
        QTimer::singleShot(0, &owner, [done = std::move(done), outcome] { done(outcome); });
    }
};
