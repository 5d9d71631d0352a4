#pragma once

#include "DesktopCapture.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <chrono>
#include <optional>

class QDBusPendingCallWatcher;

// One call of a desktop portal method that answers later through a Request object: from
// the call to the request's Response signal.  The owner of a pending request is its
// owner on the bus too: destroying it closes the request, so the desktop drops whatever
// it was doing (or asking the user) on the program's behalf.
//
// Only the call itself may have a time limit.  Once the portal has returned the request's
// handle it is working on it, perhaps asking the user first, and the answer is waited for
// as long as that takes: a limit there would give up on a user still reading a dialog.
// Without a limit (std::nullopt) the call itself is waited for as long too.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    PortalRequest(const QDBusConnection& bus, std::optional<std::chrono::milliseconds> callTimeout,
                  QObject* parent = nullptr);
    ~PortalRequest() override;

    // Calls interface.method("", options) on the portal, adding a handle_token.
    void start(const QString& interface, const QString& method, QVariantMap options);
    // The same with other arguments before the options: interface.method(leading..., options).
    void start(const QString& interface, const QString& method, const QVariantList& leading,
               QVariantMap options);
    // Closes a pending request without a word to anyone; an answer after this is ignored.
    void cancel();
    [[nodiscard]] bool isPending() const { return m_pending; }

signals:
    void answered(const QVariantMap& results);
    void failed(DesktopCapture::Refusal failure);

private slots:
    // Connected by name: QtDBus offers no member-pointer connect for bus signals.
    void onResponse(uint response, const QVariantMap& results);

private:
    void onCallFinished(QDBusPendingCallWatcher* watcher);
    void onTimeout();
    void fail(DesktopCapture::Refusal failure);
    void watch(const QString& handle);
    void unwatch();
    void closeOnBus();
    void stop();
    [[nodiscard]] QString predictedHandle(const QString& token) const;

    QDBusConnection m_bus;
    QTimer m_timer;
    bool m_limited = true;
    QString m_handle;
    bool m_watching = false;
    bool m_pending = false;
};
