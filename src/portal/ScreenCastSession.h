#pragma once

#include "PortalRequest.h"
#include "PortalStream.h"
#include "ScreenCast.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QList>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The conversation with the desktop portal's ScreenCast interface that opens a cast: a
// session, its sources (every monitor, the pointer's place as metadata, kept for the next
// time), its start (where the desktop may ask the user) and the PipeWire connection for its
// streams.  The session is closed on the portal's side when it is dropped.
class ScreenCastSession : public QObject {
    Q_OBJECT
public:
    explicit ScreenCastSession(const QDBusConnection& bus, QObject* parent = nullptr);
    ~ScreenCastSession() override;

    // Ends in probed().
    void probe();
    // Replaces a session open or opening.  Ends in opened() or failed().
    void open(const QString& token);
    // Closes the session, or drops the request under way; no signal follows but
    // askingUserChanged(false).
    void close();
    // For tests: how long a portal that does not take a call that asks nobody is waited for.
    void setCallTimeout(std::chrono::milliseconds timeout) { m_callTimeout = timeout; }

signals:
    void probed(bool offered);
    void opened(const QList<PortalStream>& streams, const QString& token,
                const QDBusUnixFileDescriptor& remote);
    void failed(ScreenCast::Failure failure);
    void closedByDesktop();
    // Start is under way: the desktop may be showing its dialog.
    void askingUserChanged(bool asking);

private slots:
    // Connected by name: QtDBus offers no member-pointer connect for bus signals.
    void onSessionClosed(const QVariantMap& details, const QDBusMessage& message);

private:
    void ask(const QString& method, const QVariantList& leading, const QVariantMap& options,
             std::function<void(const QVariantMap&)> next,
             std::optional<std::chrono::milliseconds> callTimeout);
    void selectSources(const QVariantMap& created);
    void startSession();
    void openRemote(const QVariantMap& started);
    void fail(ScreenCast::Failure failure);
    void dropRequest();
    void setAskingUser(bool asking);
    [[nodiscard]] QVariant sessionPath() const;

    QDBusConnection m_bus;
    std::unique_ptr<PortalRequest> m_request;
    QString m_session;
    QString m_token;
    std::chrono::milliseconds m_callTimeout;
    bool m_askingUser = false;
    // Bumped by every open and close: a late reply of an earlier one is dropped.
    unsigned m_generation = 0;
};
