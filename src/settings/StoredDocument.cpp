#include "StoredDocument.h"

#include "SettingsFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using State = StoredDocument::State;

StoredDocument withState(State state, const QString& path, QString reason = {}) {
    StoredDocument stored;
    stored.state = state;
    stored.reason = std::move(reason);
    stored.destination = path;
    return stored;
}

// A JSON object; an empty file is an empty one.  Otherwise why not.
std::optional<QJsonObject> parse(QByteArray bytes, QString& reason) {
    if (bytes.startsWith("\xEF\xBB\xBF")) { // a byte-order mark, as some editors write
        bytes.remove(0, 3);
    }
    if (bytes.trimmed().isEmpty()) {
        return QJsonObject();
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        reason = QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset);
        return std::nullopt;
    }
    if (!document.isObject()) {
        reason = QStringLiteral("it is not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

} // namespace

StoredDocument StoredDocument::inspect(const QString& path, qint64 maxSize) {
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0) {
        return errno == ENOENT ? withState(State::Missing, path)
                               : withState(State::Refused, path, SettingsFiles::errorText(errno));
    }
    const bool link = S_ISLNK(entry.st_mode);
    // Like the kernel's protected links: another user's link is never followed.
    if (link && entry.st_uid != ::geteuid()) {
        return withState(State::LinkToReplace, path,
                         QStringLiteral("it is a link that belongs to another user"));
    }
    const SettingsFiles::Contents contents = SettingsFiles::readRegular(path, maxSize);
    using Kind = SettingsFiles::Contents::Kind;
    if (link && contents.kind == Kind::Missing) {
        return withState(State::LinkToReplace, path,
                         QStringLiteral("it is a link to %1, which does not exist")
                             .arg(QFileInfo(path).symLinkTarget()));
    }
    if (link && contents.kind == Kind::Refused && !contents.denied) {
        return withState(State::LinkToReplace, path,
                         QStringLiteral("it is a link to a file that is not settings (%1)")
                             .arg(contents.reason));
    }
    if (contents.kind != Kind::Read) {
        return contents.kind == Kind::Missing ? withState(State::Missing, path) // just removed
                                              : withState(State::Refused, path, contents.reason);
    }
    QString reason;
    std::optional<QJsonObject> document = parse(contents.bytes, reason);
    if (!document && link) {
        return withState(
            State::LinkToReplace, path,
            QStringLiteral("it is a link to a file that is not settings (%1)").arg(reason));
    }
    StoredDocument stored =
        withState(document ? State::Document : State::Unparseable, path, reason);
    if (document) {
        stored.document = std::move(*document);
    } else {
        stored.bytes = contents.bytes;
    }
    if (link) {
        stored.destination = QFileInfo(path).canonicalFilePath();
    }
    stored.permissions = QFileInfo(stored.destination).permissions();
    return stored;
}
