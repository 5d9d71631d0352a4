#include "FakePortal.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QTextStream>
#include <QTimer>

namespace {

const QString screenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");

void report(const QString& line) {
    QTextStream out(stdout);
    out << line << Qt::endl;
}

} // namespace

FakePortal::FakePortal(Method screenshot, Method pickColour, bool otherHandle, bool held,
                       QObject* parent)
    : QDBusVirtualObject(parent), m_screenshot(std::move(screenshot)),
      m_pickColour(std::move(pickColour)), m_otherHandle(otherHandle), m_held(held) {}

QString FakePortal::introspect(const QString&) const {
    return QStringLiteral(R"(<interface name="org.freedesktop.portal.Screenshot">
  <method name="Screenshot"><arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="o" direction="out"/></method>
  <method name="PickColor"><arg type="s" direction="in"/><arg type="a{sv}" direction="in"/>
    <arg type="o" direction="out"/></method>
</interface>)");
}

bool FakePortal::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (message.interface() == requestInterface && message.member() == QLatin1String("Close")) {
        report(QStringLiteral("closed ") + message.path());
        connection.send(message.createReply());
        return true;
    }
    if (message.member() == QLatin1String("Sync") || message.member() == QLatin1String("Answer")) {
        if (message.member() == QLatin1String("Answer")) {
            m_held = false;
            for (const auto& answer : std::exchange(m_answers, {})) {
                answer();
            }
        }
        connection.send(message.createReply());
        return true;
    }
    if (message.interface() != screenshotInterface) {
        return false;
    }
    if (message.member() == QLatin1String("Screenshot")) {
        answer(m_screenshot, message.member(), message, connection);
        return true;
    }
    if (message.member() == QLatin1String("PickColor")) {
        answer(m_pickColour, message.member(), message, connection);
        return true;
    }
    return false;
}

void FakePortal::answer(const Method& method, const QString& name, const QDBusMessage& message,
                        const QDBusConnection& connection) {
    if (method.behaviour == Behaviour::Missing) {
        connection.send(message.createErrorReply(QDBusError::UnknownMethod,
                                                 QStringLiteral("No such method ") + name));
        return;
    }
    const QString handle = handleFor(message);
    report(QStringLiteral("call %1 %2").arg(name, handle));
    if (method.behaviour == Behaviour::Unanswered) {
        return;
    }
    connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
    if (method.behaviour == Behaviour::Silent) {
        return;
    }
    uint response = 0;
    QVariantMap results;
    if (method.behaviour == Behaviour::Refuse) {
        response = 1;
    } else if (method.behaviour == Behaviour::Fail) {
        response = 2;
    } else if (name == QLatin1String("Screenshot")) {
        results.insert(QStringLiteral("uri"), method.uri);
    } else {
        QDBusArgument colour;
        colour.beginStructure();
        colour << method.colour[0] << method.colour[1] << method.colour[2];
        colour.endStructure();
        results.insert(QStringLiteral("color"), QVariant::fromValue(colour));
    }
    // The answer comes after the call's reply, as from a real portal; on a path of its own
    // a little later still, as the user would take a moment to answer an old portal's
    // dialog, which gives the caller time to learn the path.
    auto send = [connection, handle, response, results] {
        QDBusMessage signal =
            QDBusMessage::createSignal(handle, requestInterface, QStringLiteral("Response"));
        signal << response << results;
        QDBusConnection(connection).send(signal);
    };
    if (m_held) {
        m_answers.append(send);
        return;
    }
    QTimer::singleShot(m_otherHandle ? 100 : 0, this, send);
}

QString FakePortal::handleFor(const QDBusMessage& message) {
    ++m_requests;
    QString sender = message.service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString base = QStringLiteral("/org/freedesktop/portal/desktop/request/") + sender;
    if (m_otherHandle) {
        return base + QStringLiteral("/fake%1").arg(m_requests);
    }
    const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().value(1));
    return base + QLatin1Char('/') + options.value(QStringLiteral("handle_token")).toString();
}
