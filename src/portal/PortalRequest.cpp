#include "PortalRequest.h"

#include "PortalLog.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

#include <limits>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

} // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus,
                             std::optional<std::chrono::milliseconds> callTimeout, QObject* parent)
    : QObject(parent), m_bus(bus), m_limited(callTimeout.has_value()) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(callTimeout.value_or(std::chrono::milliseconds::zero()));
    connect(&m_timer, &QTimer::timeout, this, &PortalRequest::onTimeout);
}

PortalRequest::~PortalRequest() {
    cancel();
}

void PortalRequest::start(const QString& interface, const QString& method, QVariantMap options) {
    start(interface, method, {QString()}, std::move(options));
}

void PortalRequest::start(const QString& interface, const QString& method,
                          const QVariantList& leading, QVariantMap options) {
    cancel();
    const QString token = QStringLiteral("tintor%1").arg(QRandomGenerator::global()->generate());
    options.insert(QStringLiteral("handle_token"), token);
    // The answer may come before the call returns the handle: listen first, as the portal
    // documentation asks.
    watch(predictedHandle(token));
    m_pending = true;
    if (m_limited) {
        m_timer.start();
    }

    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, interface, method);
    for (const QVariant& argument : leading) {
        call << argument;
    }
    call << options;
    // Unlimited, the bus's own limit on the call's reply (25 s) must not hold either.
    const int busTimeout = m_limited ? -1 : std::numeric_limits<int>::max();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, busTimeout), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &PortalRequest::onCallFinished);
    qCDebug(lcPortal) << "asked" << interface << method << "as" << m_handle;
}

void PortalRequest::cancel() {
    if (!m_pending) {
        return;
    }
    qCDebug(lcPortal) << "closing" << m_handle;
    closeOnBus();
    stop();
}

void PortalRequest::onCallFinished(QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    if (!m_pending) {
        return;
    }
    const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
    if (reply.isError()) {
        qCWarning(lcPortal) << "the portal refused the call:" << reply.error().name()
                            << reply.error().message();
        fail(DesktopCapture::Refusal::Unavailable);
        return;
    }
    m_timer.stop();
    // Portals older than the handle_token option choose their own path.
    const QString handle = reply.value().path();
    if (handle != m_handle) {
        qCDebug(lcPortal) << "the portal answers on" << handle << "instead";
        unwatch();
        watch(handle);
    }
}

void PortalRequest::onResponse(uint response, const QVariantMap& results) {
    if (!m_pending) {
        return;
    }
    qCDebug(lcPortal) << "response" << response << "on" << m_handle;
    if (response == 0) {
        stop();
        emit answered(results);
        return;
    }
    qCWarning(lcPortal) << "the portal ended" << m_handle << "with response" << response;
    fail(response == 1 ? DesktopCapture::Refusal::Refused : DesktopCapture::Refusal::Failed);
}

void PortalRequest::onTimeout() {
    if (!m_pending) {
        return;
    }
    qCWarning(lcPortal) << "the portal did not take the call in"
                        << std::chrono::milliseconds(m_timer.intervalAsDuration()).count() << "ms";
    // Closed all the same, in case the call comes through later.
    closeOnBus();
    fail(DesktopCapture::Refusal::TimedOut);
}

void PortalRequest::fail(DesktopCapture::Refusal failure) {
    stop();
    emit failed(failure);
}

void PortalRequest::watch(const QString& handle) {
    m_handle = handle;
    m_watching = m_bus.connect(portalService, handle, requestInterface, QStringLiteral("Response"),
                               this, SLOT(onResponse(uint, QVariantMap)));
    if (!m_watching) {
        qCWarning(lcPortal) << "cannot listen for the answer on" << handle;
    }
}

void PortalRequest::unwatch() {
    if (m_watching) {
        m_bus.disconnect(portalService, m_handle, requestInterface, QStringLiteral("Response"),
                         this, SLOT(onResponse(uint, QVariantMap)));
        m_watching = false;
    }
}

void PortalRequest::closeOnBus() {
    const QDBusMessage close = QDBusMessage::createMethodCall(
        portalService, m_handle, requestInterface, QStringLiteral("Close"));
    m_bus.send(close);
}

void PortalRequest::stop() {
    m_pending = false;
    m_timer.stop();
    unwatch();
}

QString PortalRequest::predictedHandle(const QString& token) const {
    // ":1.42" becomes "1_42".
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return portalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}
