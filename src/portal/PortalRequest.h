#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

#include <chrono>

class QDBusPendingCallWatcher;

// One call of a desktop portal method that answers later through a Request object: from
// the call to the request's Response signal.  The owner of a pending request is its
// owner on the bus too: destroying it closes the request, so the desktop drops whatever
// it was doing (or asking the user) on the program's behalf.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    enum class Error {
        Unavailable, // no portal, or no such interface or method
        Refused,     // the user (or the desktop for them) said no
        Failed,      // the desktop ended the request some other way
        TimedOut,    // no answer in time; the request was closed
        BadAnswer,   // an answer that does not hold what was asked
    };
    Q_ENUM(Error)

    PortalRequest(const QDBusConnection& bus, std::chrono::milliseconds timeout,
                  QObject* parent = nullptr);
    ~PortalRequest() override;

    // Calls interface.method("", options) on the portal, adding a handle_token.
    void start(const QString& interface, const QString& method, QVariantMap options);
    // Closes a pending request without a word to anyone.
    void cancel();
    [[nodiscard]] bool isPending() const { return m_pending; }
    // The request object's path: predicted at start, as the portal returned it later.
    [[nodiscard]] QString handle() const { return m_handle; }

signals:
    void answered(const QVariantMap& results);
    void failed(PortalRequest::Error error, const QString& detail);

private slots:
    // Connected by name: QtDBus offers no member-pointer connect for bus signals.
    void onResponse(uint response, const QVariantMap& results);

private:
    void onCallFinished(QDBusPendingCallWatcher* watcher);
    void onTimeout();
    void fail(Error error, const QString& detail);
    void watch(const QString& handle);
    void unwatch();
    void closeOnBus();
    void stop();
    [[nodiscard]] QString predictedHandle(const QString& token) const;

    QDBusConnection m_bus;
    QTimer m_timer;
    QString m_handle;
    bool m_watching = false;
    bool m_pending = false;
};
