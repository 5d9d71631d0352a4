#pragma once

#include "PortalRequest.h"

#include <QDBusConnection>
#include <QObject>

#include <chrono>
#include <memory>

// What the screenshot and colour-picker clients share: one request at a time, a time
// limit on the portal taking the call (a portal that never does counts as not answering),
// and one failure signal.
class PortalClient : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultCallTimeout{10000};

    explicit PortalClient(const QDBusConnection& bus, QObject* parent = nullptr);
    ~PortalClient() override;

    void setCallTimeout(std::chrono::milliseconds timeout) { m_callTimeout = timeout; }
    [[nodiscard]] bool isBusy() const;

public slots:
    // Drops the pending request, if any, and closes it on the portal's side.
    void cancel();

signals:
    void failed(DesktopCapture::Refusal failure);

protected:
    // Starts a request, replacing one still pending.
    void startRequest(const QString& interface, const QString& method, const QVariantMap& options);
    virtual void handleResults(const QVariantMap& results) = 0;

private:
    void discard();

    QDBusConnection m_bus;
    std::chrono::milliseconds m_callTimeout = defaultCallTimeout;
    std::unique_ptr<PortalRequest> m_request;
};
