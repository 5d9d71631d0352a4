#pragma once

#include "PrivateBus.h"

#include <QProcess>
#include <QStringList>

// The fake portal, started on a private bus with the given arguments.  Its report lines
// ("call Screenshot PATH", "closed PATH") are kept for the test to look at.
class FakePortalProcess {
public:
    FakePortalProcess(const PrivateBus& bus, const QStringList& arguments);
    ~FakePortalProcess();
    FakePortalProcess(const FakePortalProcess&) = delete;
    FakePortalProcess& operator=(const FakePortalProcess&) = delete;

    [[nodiscard]] bool isReady() const { return m_ready; }
    // Waits up to 5 s for a report line starting with prefix; returns it, or nothing.
    QString waitForLine(const QString& prefix);

private:
    QProcess m_process;
    QStringList m_lines;
    bool m_ready = false;
};
