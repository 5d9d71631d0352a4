#include "ScreenCastSession.h"

#include "PortalLog.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString castInterface = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString sessionInterface = QStringLiteral("org.freedesktop.portal.Session");
constexpr uint monitors = 1;
constexpr uint cursorAsMetadata = 4;
constexpr uint persistUntilRevoked = 2;
// persist_mode and restore tokens came with version 4.
constexpr uint versionWithTokens = 4;
constexpr int callTimeoutMs = 10000;
// SelectSources and Start may wait on the user, or on a desktop slow to find the stored
// selection: a limit would give up and ask again, and the new request would bring up the
// dialog that the token was to spare the user.  Turning the choice off ends the wait.
constexpr std::optional<std::chrono::milliseconds> untilAnswered;

std::optional<std::pair<int, int>> pairOf(const QVariant& value) {
    if (!value.canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto argument = value.value<QDBusArgument>();
    int first = 0;
    int second = 0;
    argument.beginStructure();
    argument >> first >> second;
    argument.endStructure();
    return std::pair(first, second);
}

QList<PortalStream> streamsOf(const QVariant& value) {
    QList<PortalStream> streams;
    if (!value.canConvert<QDBusArgument>()) {
        return streams;
    }
    const auto argument = value.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        uint node = 0;
        QVariantMap properties;
        argument.beginStructure();
        argument >> node >> properties;
        argument.endStructure();
        PortalStream stream{node, std::nullopt, std::nullopt};
        if (const auto position = pairOf(properties.value(QStringLiteral("position")))) {
            stream.position = QPoint(position->first, position->second);
        }
        if (const auto size = pairOf(properties.value(QStringLiteral("size")))) {
            stream.size = QSize(size->first, size->second);
        }
        streams.append(stream);
    }
    argument.endArray();
    return streams;
}

ScreenCast::Failure castFailure(DesktopCapture::Refusal failure) {
    switch (failure) {
    case DesktopCapture::Refusal::Unavailable:
        return ScreenCast::Failure::Unavailable;
    case DesktopCapture::Refusal::Refused:
        return ScreenCast::Failure::Refused;
    case DesktopCapture::Refusal::TimedOut:
    case DesktopCapture::Refusal::Failed:
        break;
    }
    return ScreenCast::Failure::Failed;
}

} // namespace

ScreenCastSession::ScreenCastSession(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus), m_callTimeout(callTimeoutMs) {}

ScreenCastSession::~ScreenCastSession() {
    close();
}

void ScreenCastSession::probe() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        portalService, portalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("GetAll"));
    call << castInterface;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](auto* finished) {
        finished->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *finished;
        const QVariantMap properties = reply.isError() ? QVariantMap() : reply.value();
        const uint version = properties.value(QStringLiteral("version")).toUInt();
        const uint modes = properties.value(QStringLiteral("AvailableCursorModes")).toUInt();
        qCDebug(lcPortal) << "ScreenCast version" << version << "cursor modes" << modes;
        emit probed(version >= versionWithTokens && (modes & cursorAsMetadata) != 0);
    });
}

void ScreenCastSession::open(const QString& token) {
    close();
    m_token = token;
    const QString handle = QStringLiteral("tintor%1").arg(QRandomGenerator::global()->generate());
    ask(
        QStringLiteral("CreateSession"), {}, {{QStringLiteral("session_handle_token"), handle}},
        [this](const QVariantMap& created) { selectSources(created); }, m_callTimeout);
}

void ScreenCastSession::selectSources(const QVariantMap& created) {
    m_session = created.value(QStringLiteral("session_handle")).toString();
    if (m_session.isEmpty()) {
        qCWarning(lcPortal) << "the portal gave no screen-cast session";
        fail(ScreenCast::Failure::Failed);
        return;
    }
    m_bus.connect(portalService, m_session, sessionInterface, QStringLiteral("Closed"), this,
                  SLOT(onSessionClosed(QVariantMap, QDBusMessage)));
    QVariantMap options{{QStringLiteral("types"), monitors},
                        {QStringLiteral("multiple"), true},
                        {QStringLiteral("cursor_mode"), cursorAsMetadata},
                        {QStringLiteral("persist_mode"), persistUntilRevoked}};
    if (!m_token.isEmpty()) {
        options.insert(QStringLiteral("restore_token"), m_token);
    }
    ask(
        QStringLiteral("SelectSources"), {sessionPath()}, options,
        [this](const QVariantMap&) { startSession(); }, untilAnswered);
}

void ScreenCastSession::startSession() {
    ask(
        QStringLiteral("Start"), {sessionPath(), QString()}, {},
        [this](const QVariantMap& started) {
            setAskingUser(false);
            openRemote(started);
        },
        untilAnswered);
    // Where the desktop shows its dialog, if it shows one.
    setAskingUser(true);
}

void ScreenCastSession::openRemote(const QVariantMap& started) {
    const QList<PortalStream> streams = streamsOf(started.value(QStringLiteral("streams")));
    // A desktop that keeps no selection gives no token, and anything but a string is none:
    // the last one stays good.
    const QVariant given = started.value(QStringLiteral("restore_token"));
    const QString token = given.typeId() == QMetaType::QString ? given.toString() : m_token;
    if (streams.isEmpty()) {
        qCWarning(lcPortal) << "the screen cast has no streams";
        fail(ScreenCast::Failure::Failed);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(portalService, portalPath, castInterface,
                                                       QStringLiteral("OpenPipeWireRemote"));
    call << sessionPath() << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, streams, token, generation = m_generation](auto* finished) {
                finished->deleteLater();
                if (generation != m_generation) {
                    return;
                }
                const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *finished;
                if (reply.isError() || !reply.value().isValid()) {
                    qCWarning(lcPortal) << "no PipeWire connection:" << reply.error().message();
                    fail(ScreenCast::Failure::StreamFailed);
                    return;
                }
                qCDebug(lcPortal) << "screen cast of" << streams.size() << "streams opened";
                emit opened(streams, token, reply.value());
            });
}

void ScreenCastSession::ask(const QString& method, const QVariantList& leading,
                            const QVariantMap& options,
                            std::function<void(const QVariantMap&)> next,
                            std::optional<std::chrono::milliseconds> callTimeout) {
    dropRequest();
    // A child: dropped later, it still goes with its owner.
    m_request = std::make_unique<PortalRequest>(m_bus, callTimeout, this);
    connect(m_request.get(), &PortalRequest::answered, this, std::move(next));
    connect(m_request.get(), &PortalRequest::failed, this, [this, method](auto failure) {
        qCWarning(lcPortal) << "screen cast:" << method << "failed:" << failure;
        fail(castFailure(failure));
    });
    m_request->start(castInterface, method, leading, options);
}

void ScreenCastSession::dropRequest() {
    if (m_request) {
        m_request->disconnect(this);
        m_request->cancel();
        // It may be dropped from one of its own signals: later, not at once.
        m_request.release()->deleteLater();
    }
}

void ScreenCastSession::close() {
    ++m_generation;
    dropRequest();
    setAskingUser(false);
    if (!m_session.isEmpty()) {
        m_bus.disconnect(portalService, m_session, sessionInterface, QStringLiteral("Closed"), this,
                         SLOT(onSessionClosed(QVariantMap, QDBusMessage)));
        m_bus.send(QDBusMessage::createMethodCall(portalService, m_session, sessionInterface,
                                                  QStringLiteral("Close")));
        qCDebug(lcPortal) << "closed the screen-cast session" << m_session;
        m_session.clear();
    }
}

void ScreenCastSession::fail(ScreenCast::Failure failure) {
    close();
    emit failed(failure);
}

void ScreenCastSession::onSessionClosed(const QVariantMap&, const QDBusMessage& message) {
    // One that was queued before Tintor closed the session itself is old news (KDE closes
    // the session when the user refuses its dialog).
    if (message.path() != m_session) {
        return;
    }
    qCInfo(lcPortal) << "the desktop closed the screen-cast session";
    // Already closed on the portal's side: nothing to close.
    m_bus.disconnect(portalService, m_session, sessionInterface, QStringLiteral("Closed"), this,
                     SLOT(onSessionClosed(QVariantMap, QDBusMessage)));
    m_session.clear();
    close();
    emit closedByDesktop();
}

void ScreenCastSession::setAskingUser(bool asking) {
    if (asking != m_askingUser) {
        m_askingUser = asking;
        emit askingUserChanged(asking);
    }
}

QVariant ScreenCastSession::sessionPath() const {
    return QVariant::fromValue(QDBusObjectPath(m_session));
}
