#include "SettingsStore.h"

#include "EarlierSettings.h"
#include "MethodSplice.h"
#include "SettingsFiles.h"
#include "SettingsLock.h"
#include "SettingsLog.h"
#include "StoredDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonValue>
#include <QLockFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace SettingsFiles;

namespace {

const QString MethodName = QStringLiteral("Method");

Failure failedToGet() {
    return Failure{QStringLiteral("Failed to get data for 'Method'")};
}

Result<std::uint32_t> methodOf(const QJsonObject& document) {
    const QJsonValue value = document.value(MethodName);
    if (value.isUndefined()) {
        return failedToGet();
    }
    // A number that is a whole one (2.0 and 1e3 are) and fits in 32 bits unsigned.
    const qint64 number = value.isDouble() ? value.toInteger(-1) : -1;
    if (number < 0 || number > qint64(UINT32_MAX)) {
        return Failure{QStringLiteral("Invalid data type for 'Method'")};
    }
    return std::uint32_t(number);
}

// The folder exists, or is created, and takes new files.
Result<void> folderReady(const QString& folder) {
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        return Failure{QStringLiteral("cannot create the folder %1%2")
                           .arg(displayPath(folder),
                                error ? QStringLiteral(": ") + errorText(error) : QString())};
    }
    return writable(folder, QStringLiteral("the folder ") + displayPath(folder));
}

// Writing through a link replaces its target by a file of the Tintor user's: only do that
// to a file that is the user's already.
Result<void> ownTarget(const StoredDocument& stored) {
    struct stat target {};
    if (::stat(QFile::encodeName(stored.destination).constData(), &target) == 0 &&
        target.st_uid != ::geteuid()) {
        return Failure{QStringLiteral("it is a link to %1, which belongs to another user; "
                                      "neither is changed")
                           .arg(stored.destination)};
    }
    return {};
}

// Gets `stored` ready to take the value: keeps the bytes of a file that does not parse.
// Returns what that did, for the log.
Result<QString> prepare(const StoredDocument& stored, const QString& path) {
    switch (stored.state) {
    case StoredDocument::State::Unparseable: {
        if (const Result<void> canWrite = writable(path, QStringLiteral("it")); !canWrite) {
            return Failure{canWrite.error()};
        }
        const Result<QString> copy = keepCopy(path, stored.bytes);
        if (!copy) {
            return Failure{QStringLiteral("it does not parse (%1), and a copy cannot be kept: %2")
                               .arg(stored.note, copy.error())};
        }
        return QStringLiteral("it did not parse (%1); its bytes are kept in %2")
            .arg(stored.note, displayPath(*copy));
    }
    case StoredDocument::State::LinkToReplace:
        return stored.note + QStringLiteral("; replaced the link, its target is untouched");
    case StoredDocument::State::Document:
        if (const Result<void> canWrite = writable(stored.destination, QStringLiteral("it"));
            !canWrite) {
            return Failure{canWrite.error()};
        }
        if (stored.destination != path) {
            if (const Result<void> owned = ownTarget(stored); !owned) {
                return Failure{owned.error()};
            }
            removeStaleTemporaries(stored.destination);
        }
        return QString();
    case StoredDocument::State::Missing:
        break;
    }
    return QString();
}

// The file's new text: only the value changes in a document; anything else starts afresh.
Result<QByteArray> newText(const StoredDocument& stored, std::uint32_t value, qint64 maxSize) {
    Result<QByteArray> text = withMethod(
        stored.state == StoredDocument::State::Document ? stored.bytes : QByteArray(), value);
    if (text && text->size() > maxSize) { // the next start would refuse it
        return Failure{QStringLiteral("with the method it would take %1 bytes, more than the %2 "
                                      "a settings file may have; it is left as it was")
                           .arg(text->size())
                           .arg(maxSize)};
    }
    return text;
}

} // namespace

SettingsStore::SettingsStore(QString path, Access access)
    : m_path(std::move(path)), m_access(access) {}

QString SettingsStore::defaultPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) { // relative paths are to be ignored
        const QString home = homeDirectory();
        if (home.isEmpty()) {
            return {};
        }
        base = home + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/tintor/settings.json");
}

Result<std::uint32_t> SettingsStore::readMethod() {
    if (m_path.isEmpty()) {
        return failedToGet();
    }
    const Result<StoredDocument> stored = StoredDocument::inspect(m_path, MaxSize);
    if (stored && stored->state == StoredDocument::State::Missing) {
        if (const std::optional<std::uint32_t> earlier = takeOverEarlierSettings()) {
            return *earlier;
        }
        return failedToGet();
    }
    if (!stored || stored->state != StoredDocument::State::Document) {
        return failedToGet();
    }
    return methodOf(stored->document);
}

Result<void> SettingsStore::writeMethod(std::uint32_t value) {
    if (m_access == Access::ReadOnly) {
        return {};
    }
    const Result<void> stored =
        m_path.isEmpty() ? Failure{QStringLiteral("there is no home directory")} : store(value);
    if (!stored) {
        qCWarning(lcSettings).noquote().nospace()
            << "cannot write "
            << (m_path.isEmpty() ? QStringLiteral("the settings") : displayPath(m_path)) << ": "
            << stored.error();
        return Failure{QStringLiteral("Failed to set data for 'Method'")};
    }
    return {};
}

Result<void> SettingsStore::store(std::uint32_t value) {
    if (const Result<void> folder = folderReady(QFileInfo(m_path).absolutePath()); !folder) {
        return folder;
    }
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (const Result<void> locked = takeSettingsLock(lock); !locked) {
        return locked;
    }
    removeStaleTemporaries(m_path);
    const Result<StoredDocument> stored = StoredDocument::inspect(m_path, MaxSize);
    if (!stored) {
        return Failure{stored.error()};
    }
    const Result<QByteArray> text = newText(*stored, value, MaxSize);
    if (!text) {
        return Failure{text.error()};
    }
    const Result<QString> prepared = prepare(*stored, m_path);
    if (!prepared) {
        return Failure{prepared.error()};
    }
    const QString& done = *prepared;
    const Result<void> written = replaceAtomically(stored->destination, *text, stored->permissions);
    if (!written) {
        return done.isEmpty() ? written : Failure{written.error() + QStringLiteral("; ") + done};
    }
    if (!done.isEmpty()) {
        qCWarning(lcSettings).noquote().nospace()
            << "replaced " << displayPath(m_path) << ": " << done;
    }
    return {};
}

std::optional<std::uint32_t> SettingsStore::takeOverEarlierSettings() {
    const QString earlier = QFileInfo(m_path).absolutePath() + QStringLiteral("/settings.reg");
    const Result<QByteArray> contents = readRegular(earlier, MaxSize);
    const std::optional<std::uint32_t> method =
        contents ? scanEarlierMethod(*contents) : std::nullopt;
    if (method && m_access == Access::ReadWrite && writeMethod(*method)) {
        qCInfo(lcSettings).noquote().nospace()
            << "took the sampling method from " << displayPath(earlier) << " into "
            << displayPath(m_path);
    }
    return method;
}
