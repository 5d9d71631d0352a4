#include "SettingsStore.h"

#include "EarlierSettings.h"
#include "JsonMemberEdit.h"
#include "RegularFile.h"
#include "SettingsFiles.h"
#include "SettingsLock.h"
#include "SettingsLog.h"
#include "StoredDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace SettingsFiles;

namespace {

// A writer that does not take the lock changes the file between the read and the rename
// this many times in a row at most; then the store gives up rather than spin.
constexpr int MaxAttempts = 5;

Failure failedToGet(const Setting& setting) {
    return Failure{QStringLiteral("Failed to get data for '%1'").arg(setting.key)};
}

Failure invalidType(const Setting& setting) {
    return Failure{QStringLiteral("Invalid data type for '%1'").arg(setting.key)};
}

// The folder exists, or is created, and takes new files.
Result<void> folderReady(const QString& folder) {
    errno = 0;
    if (!QDir().mkpath(folder)) {
        const int error = errno;
        return Failure{QStringLiteral("cannot create the folder %1%2")
                           .arg(displayPath(folder),
                                error ? QStringLiteral(": ") + errnoText(error) : QString())};
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
Result<QByteArray> newText(const StoredDocument& stored, const Setting& setting,
                           const QJsonValue& value, qint64 maxSize) {
    Result<QByteArray> text =
        withMember(stored.state == StoredDocument::State::Document ? stored.bytes : QByteArray(),
                   setting.key, value);
    if (text && text->size() > maxSize) { // the next start would refuse it
        return Failure{QStringLiteral("with %1 set it would take %2 bytes, more than the %3 a "
                                      "settings file may have; it is left as it was")
                           .arg(setting.key)
                           .arg(text->size())
                           .arg(maxSize)};
    }
    return text;
}

// One write, under the lock: false when another program changed the file before it could
// be replaced, which leaves it as that program wrote it.
Result<bool> storeOnce(const QString& path, const Setting& setting, const QJsonValue& value,
                       qint64 maxSize) {
    const Result<StoredDocument> stored = StoredDocument::inspect(path, maxSize);
    if (!stored) {
        return Failure{stored.error()};
    }
    const Result<QByteArray> text = newText(*stored, setting, value, maxSize);
    if (!text) {
        return Failure{text.error()};
    }
    const Result<QString> prepared = prepare(*stored, path);
    if (!prepared) {
        return Failure{prepared.error()};
    }
    const QString& done = *prepared;
    const auto unchanged = [&] {
        const Result<StoredDocument> now = StoredDocument::inspect(path, maxSize);
        return now && now->holdsSameAs(*stored);
    };
    const Result<bool> written =
        replaceAtomically(stored->destination, *text, stored->permissions, unchanged);
    if (!written) {
        return done.isEmpty() ? written : Failure{written.error() + QStringLiteral("; ") + done};
    }
    if (*written && !done.isEmpty()) {
        qCWarning(lcSettings).noquote().nospace()
            << "replaced " << displayPath(path) << ": " << done;
    }
    return written;
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

Result<QJsonValue> SettingsStore::read(const Setting& setting) const {
    if (m_path.isEmpty()) {
        return failedToGet(setting);
    }
    const Result<StoredDocument> stored = StoredDocument::inspect(m_path, MaxSize);
    if (!stored || stored->state != StoredDocument::State::Document) {
        return failedToGet(setting);
    }
    const QJsonValue value = stored->document.value(setting.key);
    if (value.isUndefined()) {
        return failedToGet(setting);
    }
    return setting.accepts(value) ? Result<QJsonValue>(value) : invalidType(setting);
}

Result<void> SettingsStore::readable() const {
    const Result<StoredDocument> stored =
        m_path.isEmpty() ? StoredDocument{} : StoredDocument::inspect(m_path, MaxSize);
    return stored ? Result<void>() : Failure{stored.error()};
}

QJsonValue SettingsStore::value(const Setting& setting) const {
    const Result<QJsonValue> stored = read(setting);
    return stored ? *stored : setting.fallbackValue();
}

Result<void> SettingsStore::write(const Setting& setting, const QJsonValue& value) {
    if (!setting.accepts(value)) {
        return invalidType(setting);
    }
    if (m_access == Access::ReadOnly) {
        return {};
    }
    const Result<void> stored = m_path.isEmpty()
                                    ? Failure{QStringLiteral("there is no home directory")}
                                    : store(setting, value);
    if (!stored) {
        qCWarning(lcSettings).noquote().nospace()
            << "cannot write "
            << (m_path.isEmpty() ? QStringLiteral("the settings") : displayPath(m_path)) << ": "
            << stored.error();
        return Failure{QStringLiteral("Failed to set data for '%1'").arg(setting.key)};
    }
    return {};
}

Result<void> SettingsStore::store(const Setting& setting, const QJsonValue& value) {
    if (const Result<void> folder = folderReady(QFileInfo(m_path).absolutePath()); !folder) {
        return folder;
    }
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (const Result<void> locked = takeSettingsLock(lock); !locked) {
        return locked;
    }
    removeStaleTemporaries(m_path);
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const Result<bool> written = storeOnce(m_path, setting, value, MaxSize);
        if (!written) {
            return Failure{written.error()};
        }
        if (*written) {
            return {};
        }
    }
    return Failure{QStringLiteral("another program keeps changing it")};
}

void SettingsStore::takeOverEarlierSettings() {
    const Result<StoredDocument> stored =
        m_path.isEmpty() ? Failure{} : StoredDocument::inspect(m_path, MaxSize);
    if (!stored || stored->state != StoredDocument::State::Missing) {
        return;
    }
    const QString earlier = QFileInfo(m_path).absolutePath() + QStringLiteral("/settings.reg");
    const Result<QByteArray> contents =
        readRegularFile(QFile::encodeName(earlier), MaxSize, LinkRule::Follow);
    const std::optional<std::uint32_t> method =
        contents ? scanEarlierMethod(*contents) : std::nullopt;
    if (method && m_access == Access::ReadWrite && write(Settings::Method, qint64(*method))) {
        qCInfo(lcSettings).noquote().nospace()
            << "took the sampling method from " << displayPath(earlier) << " into "
            << displayPath(m_path);
    }
}

Result<void> SettingsStore::repairUnreadable() {
    for (const Setting* setting : Settings::All) {
        if (setting->repairedAtStartup && !read(*setting)) {
            if (const Result<void> written = write(*setting, setting->fallbackValue()); !written) {
                return written;
            }
        }
    }
    return {};
}
