#include "FakeScreenCast.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QPoint>
#include <QRegularExpression>
#include <QSize>
#include <QTextStream>
#include <QTimer>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString castInterface = QStringLiteral("org.freedesktop.portal.ScreenCast");

void report(const QString& line) {
    QTextStream(stdout) << line << Qt::endl;
}

// The caller's object at `kind` (request, session) for the token given in `options`.
QString pathFor(const QDBusMessage& message, const QString& kind, const QVariant& token) {
    const QString sender = message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3")
        .arg(kind, sender, token.toString());
}

// A new connection to the session's PipeWire, as the portal hands one over.
QDBusUnixFileDescriptor pipeWireConnection() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = qgetenv("XDG_RUNTIME_DIR") + "/pipewire-0";
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.constData());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        qWarning("fake_portal: no PipeWire at %s", path.constData());
    }
    QDBusUnixFileDescriptor descriptor(fd); // a copy
    ::close(fd);
    return descriptor;
}

} // namespace

// One stream of Start's answer: (ua{sv}).
struct FakeCastStream {
    uint node = 0;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(FakeCastStream)

QDBusArgument& operator<<(QDBusArgument& argument, const FakeCastStream& stream) {
    argument.beginStructure();
    argument << stream.node << stream.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, FakeCastStream& stream) {
    argument.beginStructure();
    argument >> stream.node >> stream.properties;
    argument.endStructure();
    return argument;
}

FakeScreenCast::FakeScreenCast(Options options, QDBusVirtualObject& rest, QObject* parent)
    : QDBusVirtualObject(parent), m_options(std::move(options)), m_rest(rest) {
    qDBusRegisterMetaType<FakeCastStream>();
    qDBusRegisterMetaType<QList<FakeCastStream>>();
}

QString FakeScreenCast::introspect(const QString& path) const {
    return m_rest.introspect(path);
}

bool FakeScreenCast::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    const QString member = message.member();
    const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(
        member == QLatin1String("CreateSession") ? 0 : message.arguments().size() - 1));
    if (member == QLatin1String("GetAll") && message.arguments().value(0) == castInterface) {
        connection.send(message.createReply(QVariant(
            QVariantMap{{QStringLiteral("version"), 4u},
                        {QStringLiteral("AvailableCursorModes"), m_options.cursorModes}})));
    } else if (member == QLatin1String("CreateSession")) {
        m_session = pathFor(message, "session", options.value("session_handle_token"));
        answer(message, connection, 0, {{QStringLiteral("session_handle"), m_session}});
    } else if (member == QLatin1String("SelectSources")) {
        QStringList said;
        for (const char* key :
             {"types", "multiple", "cursor_mode", "persist_mode", "restore_token"}) {
            said << QLatin1String(key) + QLatin1Char('=') +
                        options.value(QLatin1String(key)).toString();
        }
        report(QStringLiteral("select ") + said.join(QLatin1Char(' ')));
        answer(message, connection, 0, {});
    } else if (member == QLatin1String("Start")) {
        answer(message, connection, m_options.refuse ? 1 : 0,
               m_options.refuse ? QVariantMap() : started());
    } else if (member == QLatin1String("OpenPipeWireRemote")) {
        connection.send(message.createReply(QVariant::fromValue(pipeWireConnection())));
    } else if (member == QLatin1String("Close") && message.path() == m_session) {
        report(QStringLiteral("closed session"));
        connection.send(message.createReply());
    } else if (member == QLatin1String("Answer") && !m_held.isEmpty()) {
        for (const auto& held : std::exchange(m_held, {})) {
            held();
        }
        connection.send(message.createReply());
    } else if (member == QLatin1String("CloseSession")) {
        QDBusMessage closed = QDBusMessage::createSignal(
            m_session, QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Closed"));
        closed << QVariantMap();
        connection.send(closed);
        connection.send(message.createReply());
    } else {
        return m_rest.handleMessage(message, connection);
    }
    return true;
}

QVariantMap FakeScreenCast::started() const {
    static const QRegularExpression form(
        QStringLiteral(R"(^(\d+)(?:@(-?\d+),(-?\d+))?[,:](\d+)x(\d+)$)"));
    QList<FakeCastStream> streams;
    for (const QString& stream : m_options.streams) {
        const auto match = form.match(stream);
        FakeCastStream said{match.captured(1).toUInt(), {}};
        said.properties.insert(QStringLiteral("size"),
                               QSize(match.captured(4).toInt(), match.captured(5).toInt()));
        if (!match.captured(2).isEmpty()) {
            said.properties.insert(QStringLiteral("position"),
                                   QPoint(match.captured(2).toInt(), match.captured(3).toInt()));
        }
        streams.append(said);
    }
    return {{QStringLiteral("streams"), QVariant::fromValue(streams)},
            {QStringLiteral("restore_token"),
             m_options.token.isValid() ? m_options.token
                                       : QStringLiteral("fake-token-%1").arg(++m_tokens)}};
}

void FakeScreenCast::answer(const QDBusMessage& message, const QDBusConnection& connection,
                            uint response, const QVariantMap& results, bool now) {
    if (m_options.held && !now && message.member() != QLatin1String("CreateSession")) {
        report(QStringLiteral("held ") + message.member());
        m_held.append([=, this] { answer(message, connection, response, results, true); });
        return;
    }
    const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().last());
    const QString handle = pathFor(message, "request", options.value("handle_token"));
    connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
    QTimer::singleShot(0, this, [connection, handle, response, results] {
        QDBusMessage signal = QDBusMessage::createSignal(
            handle, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        QDBusConnection(connection).send(signal);
    });
}
