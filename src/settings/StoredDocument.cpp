#include "StoredDocument.h"

#include "JsonMemberEdit.h"
#include "RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using State = StoredDocument::State;

StoredDocument withState(State state, const QString& path, QString note = {}) {
    StoredDocument stored;
    stored.state = state;
    stored.note = std::move(note);
    stored.destination = path;
    return stored;
}

// A JSON object; a blank file is an empty one.  Otherwise why not.
Result<QJsonObject> parse(QByteArray bytes) {
    if (isBlankJson(bytes)) {
        return QJsonObject();
    }
    if (bytes.startsWith("\xEF\xBB\xBF")) { // a byte-order mark, as some editors write
        bytes.remove(0, 3);
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        return Failure{QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset)};
    }
    if (!document.isObject()) {
        return Failure{QStringLiteral("it is not a JSON object")};
    }
    return document.object();
}

// After a read through a link failed: whether the target's permissions refused it, which
// the store respects, rather than the target being no settings file at all.
bool deniedThroughLink(const QString& path, qint64 maxSize) {
    struct stat target {};
    if (::stat(QFile::encodeName(path).constData(), &target) != 0) {
        return errno == EACCES || errno == EPERM;
    }
    return S_ISREG(target.st_mode) && target.st_size <= maxSize;
}

StoredDocument linkToReplace(const QString& path, const QString& why) {
    return withState(
        State::LinkToReplace, path,
        QFileInfo::exists(path)
            ? QStringLiteral("it is a link to a file that is not settings (%1)").arg(why)
            : QStringLiteral("it is a link to %1, which does not exist")
                  .arg(QFileInfo(path).symLinkTarget()));
}

} // namespace

Result<StoredDocument> StoredDocument::inspect(const QString& path, qint64 maxSize) {
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0) {
        if (errno == ENOENT) {
            return withState(State::Missing, path);
        }
        return Failure{errnoText(errno)};
    }
    const bool link = S_ISLNK(entry.st_mode);
    // Like the kernel's protected links: another user's link is never followed.
    if (link && entry.st_uid != ::geteuid()) {
        return withState(State::LinkToReplace, path,
                         QStringLiteral("it is a link that belongs to another user"));
    }
    const Result<QByteArray> contents =
        readRegularFile(QFile::encodeName(path), maxSize, LinkRule::Follow);
    if (!contents) {
        if (!link || deniedThroughLink(path, maxSize)) {
            return Failure{contents.error()};
        }
        return linkToReplace(path, contents.error());
    }
    Result<QJsonObject> document = parse(*contents);
    if (!document && link) {
        return linkToReplace(path, document.error());
    }
    StoredDocument stored = withState(document ? State::Document : State::Unparseable, path,
                                      document ? QString() : document.error());
    stored.bytes = *contents;
    if (document) {
        stored.document = std::move(*document);
    }
    if (link) {
        stored.destination = QFileInfo(path).canonicalFilePath();
    }
    stored.permissions = QFileInfo(stored.destination).permissions();
    return stored;
}

bool StoredDocument::holdsSameAs(const StoredDocument& other) const {
    return state == other.state && bytes == other.bytes && destination == other.destination &&
           note == other.note;
}
