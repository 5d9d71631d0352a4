#include "SettingsStore.h"

#include "EarlierSettings.h"
#include "SettingsFiles.h"
#include "SettingsLog.h"
#include "StoredDocument.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLockFile>

#include <cerrno>

using namespace SettingsFiles;

namespace {

const QString MethodName = QStringLiteral("Method");

// Writes hold the lock for milliseconds.  Stale means its owner is gone: QLockFile checks
// the owner's process id, and the owner's flock keeps a live writer's lock from removal
// however long it takes.  Qt's default age limit only frees a lock file left empty by a
// writer killed while creating it.
constexpr int LockWaitMs = 3000;

Failure failedToGet() {
    return Failure{QStringLiteral("Failed to get data for 'Method'")};
}

Failure because(const QString& reason) {
    return Failure{reason};
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

// A lock whose owner has gone.  QLockFile judges that by the process id it recorded, which
// fails twice: a writer killed before recording it leaves a lock without an owner, which Qt
// frees only by its age, and a recorded id that a process of another user has taken over
// since looks alive.  The owner's flock answers instead: when nobody holds it, nobody owns
// the lock.  The second of grace covers a writer that has created the file but not yet
// taken its flock.
bool removeAbandonedLock(QLockFile& lock) {
    if (lock.error() != QLockFile::LockFailedError) {
        return false;
    }
    const QDateTime created = QFileInfo(lock.fileName()).lastModified();
    return created.msecsTo(QDateTime::currentDateTime()) > 1000 && lock.removeStaleLockFile();
}

Result<void> takeLock(QLockFile& lock) {
    const auto attempt = [&lock](int waitMs) {
        return lock.tryLock(waitMs) || (removeAbandonedLock(lock) && lock.tryLock(waitMs));
    };
    if (attempt(0) || attempt(LockWaitMs)) {
        return {};
    }
    qint64 owner = 0;
    if (lock.error() != QLockFile::LockFailedError) {
        return because(
            QStringLiteral("cannot create its lock file %1").arg(displayPath(lock.fileName())));
    }
    if (lock.getLockInfo(&owner, nullptr, nullptr)) {
        return because(QStringLiteral("another process (%1) has been writing it for over %2 s")
                           .arg(owner)
                           .arg(LockWaitMs / 1000));
    }
    return because(QStringLiteral("its lock file %1 is held").arg(displayPath(lock.fileName())));
}

// Why the folder cannot take the file, if it cannot.
std::optional<QString> folderProblem(const QString& folder) {
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        return QStringLiteral("cannot create the folder %1%2")
            .arg(displayPath(folder), error ? QStringLiteral(": ") + errorText(error) : QString());
    }
    const int error = writeError(folder);
    if (error == EACCES) {
        return QStringLiteral("the folder %1 is read-only").arg(displayPath(folder));
    }
    return error ? std::optional(errorText(error)) : std::nullopt;
}

// A settings file the user made read-only stays as it is.
Result<void> fileWritable(const QString& path) {
    const int error = writeError(path);
    if (error != 0) {
        return because(error == EACCES ? QStringLiteral("it is read-only") : errorText(error));
    }
    return {};
}

// Gets `stored` ready to take the value: keeps the bytes of a file that does not parse.
// Returns what that did, for the log.
Result<QString> prepare(StoredDocument& stored, const QString& path) {
    switch (stored.state) {
    case StoredDocument::State::Refused:
        return because(stored.reason);
    case StoredDocument::State::Unparseable: {
        if (const Result<void> canWrite = fileWritable(path); !canWrite) {
            return Failure{canWrite.error()};
        }
        const Result<QString> copy = keepCopy(path, stored.bytes);
        if (!copy) {
            return because(QStringLiteral("it does not parse (%1), and a copy cannot be kept: %2")
                               .arg(stored.reason, copy.error()));
        }
        return QStringLiteral("it did not parse (%1); its bytes are kept in %2")
            .arg(stored.reason, displayPath(*copy));
    }
    case StoredDocument::State::LinkToReplace:
        return stored.reason + QStringLiteral("; replaced the link, its target is untouched");
    case StoredDocument::State::Document:
        if (const Result<void> canWrite = fileWritable(stored.destination); !canWrite) {
            return Failure{canWrite.error()};
        }
        if (stored.destination != path) {
            removeStaleTemporaries(stored.destination);
        }
        return QString();
    case StoredDocument::State::Missing:
        break;
    }
    return QString();
}

} // namespace

SettingsStore::SettingsStore(QString path) : m_path(std::move(path)) {}

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
    const StoredDocument stored = StoredDocument::inspect(m_path, MaxSize);
    if (stored.state == StoredDocument::State::Missing) {
        if (const std::optional<std::uint32_t> earlier = takeOverEarlierSettings()) {
            return *earlier;
        }
        return failedToGet();
    }
    if (stored.state != StoredDocument::State::Document) {
        return failedToGet();
    }
    return methodOf(stored.document);
}

Result<void> SettingsStore::writeMethod(std::uint32_t value) {
    const Result<void> stored =
        m_path.isEmpty() ? because(QStringLiteral("there is no home directory")) : store(value);
    if (!stored) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("cannot write %1: %2")
                   .arg(m_path.isEmpty() ? QStringLiteral("the settings") : displayPath(m_path),
                        stored.error());
        return Failure{QStringLiteral("Failed to set data for 'Method'")};
    }
    return {};
}

Result<void> SettingsStore::store(std::uint32_t value) {
    if (const std::optional<QString> problem = folderProblem(QFileInfo(m_path).absolutePath())) {
        return because(*problem);
    }
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (const Result<void> locked = takeLock(lock); !locked) {
        return locked;
    }
    removeStaleTemporaries(m_path);
    StoredDocument stored = StoredDocument::inspect(m_path, MaxSize);
    const Result<QString> prepared = prepare(stored, m_path);
    if (!prepared) {
        return Failure{prepared.error()};
    }
    const QString& done = *prepared;
    stored.document.insert(MethodName, qint64(value));
    const Result<void> written = replaceAtomically(
        stored.destination, QJsonDocument(stored.document).toJson(), stored.permissions);
    if (!written) {
        return done.isEmpty()
                   ? written
                   : because(written.error() + QStringLiteral("; ") + done);
    }
    if (!done.isEmpty()) {
        qCWarning(lcSettings).noquote()
            << QStringLiteral("replaced %1: %2").arg(displayPath(m_path), done);
    }
    return {};
}

std::optional<std::uint32_t> SettingsStore::takeOverEarlierSettings() {
    const QString earlier = QFileInfo(m_path).absolutePath() + QStringLiteral("/settings.reg");
    const Contents contents = readRegular(earlier, MaxSize);
    if (contents.kind != Contents::Kind::Read) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> method = scanEarlierMethod(contents.bytes);
    if (method && writeMethod(*method)) {
        qCInfo(lcSettings).noquote() << QStringLiteral("took the sampling method from %1 into %2")
                                            .arg(displayPath(earlier), displayPath(m_path));
    }
    return method;
}
