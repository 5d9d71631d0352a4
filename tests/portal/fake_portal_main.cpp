// A fake desktop portal for a private session bus.
//
//   fake_portal [--screenshot ANSWER] [--pick-colour ANSWER] [--other-handle] [--held]
//
// ANSWER: ok:FILE (Screenshot: answers with that file's URI), ok:R,G,B (PickColor: answers
// with those doubles, 0 to 1), refuse (response 1), fail (response 2), silent (returns a
// handle, never answers), unanswered (never returns from the call), missing (the method
// does not exist; the default).  --other-handle answers on a request path of its own
// instead of the one the caller predicted from its token.  --held keeps the answers until
// a test calls Answer (see FakePortal).  Prints "ready" once it owns
// org.freedesktop.portal.Desktop, then a line per call and per closed request.
//
// ScreenCast (see FakeScreenCast): --cast-streams NODE@X,Y,WxH;NODE:WxH... the streams
// Start gives, --cast-modes N the cursor modes offered (7), --cast-refuse the user's no,
// --cast-held SelectSources and Start answered only when a test calls Answer.
// --cast-number-token the number 12 as the restore token.
#include "FakePortal.h"
#include "FakeScreenCast.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QTextStream>
#include <QUrl>

#include <optional>

namespace {

std::optional<FakePortal::Method> parseMethod(const QString& answer, bool screenshot) {
    using B = FakePortal::Behaviour;
    static const QHash<QString, B> plain{{QStringLiteral("refuse"), B::Refuse},
                                         {QStringLiteral("fail"), B::Fail},
                                         {QStringLiteral("silent"), B::Silent},
                                         {QStringLiteral("unanswered"), B::Unanswered},
                                         {QStringLiteral("missing"), B::Missing}};
    if (plain.contains(answer)) {
        return FakePortal::Method{plain.value(answer), {}, {}};
    }
    if (!answer.startsWith(QLatin1String("ok:"))) {
        return std::nullopt;
    }
    FakePortal::Method method{B::Succeed, {}, {}};
    const QString value = answer.mid(3);
    if (screenshot) {
        method.uri = QUrl::fromLocalFile(QFileInfo(value).absoluteFilePath()).toString();
        return method;
    }
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 3) {
        return std::nullopt;
    }
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        method.colour[i] = parts[i].toDouble(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    return method;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("screenshot"), QStringLiteral("Screenshot's answer."),
                      QStringLiteral("answer"), QStringLiteral("missing")});
    parser.addOption({QStringLiteral("pick-colour"), QStringLiteral("PickColor's answer."),
                      QStringLiteral("answer"), QStringLiteral("missing")});
    parser.addOption(
        {QStringLiteral("other-handle"), QStringLiteral("Answer on a path of its own.")});
    parser.addOption({QStringLiteral("held"), QStringLiteral("Answer when told.")});
    parser.addOption({QStringLiteral("cast-streams"), QStringLiteral("ScreenCast's streams."),
                      QStringLiteral("streams")});
    parser.addOption({QStringLiteral("cast-modes"), QStringLiteral("ScreenCast's cursor modes."),
                      QStringLiteral("modes"), QStringLiteral("7")});
    parser.addOption({QStringLiteral("cast-refuse"), QStringLiteral("Refuse the screen cast.")});
    parser.addOption({QStringLiteral("cast-held"), QStringLiteral("Take time over the cast.")});
    parser.addOption({QStringLiteral("cast-number-token"), QStringLiteral("A number as token.")});
    parser.process(app);

    const auto screenshot = parseMethod(parser.value(QStringLiteral("screenshot")), true);
    const auto pickColour = parseMethod(parser.value(QStringLiteral("pick-colour")), false);
    if (!screenshot || !pickColour) {
        qCritical("fake_portal: a ANSWER is ok:..., refuse, fail, silent, unanswered or missing");
        return 2;
    }
    FakePortal portal(*screenshot, *pickColour, parser.isSet(QStringLiteral("other-handle")),
                      parser.isSet(QStringLiteral("held")));
    FakeScreenCast cast(
        {parser.value(QStringLiteral("cast-modes")).toUInt(),
         parser.value(QStringLiteral("cast-streams")).split(QLatin1Char(';'), Qt::SkipEmptyParts),
         parser.isSet(QStringLiteral("cast-refuse")), parser.isSet(QStringLiteral("cast-held")),
         parser.isSet(QStringLiteral("cast-number-token")) ? QVariant(12U) : QVariant()},
        portal);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/portal/desktop"), &cast,
                                   QDBusConnection::SubPath) ||
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        qCritical("fake_portal: cannot take the portal's name: %s",
                  qPrintable(bus.lastError().message()));
        return 1;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}
