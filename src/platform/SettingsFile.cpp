#include "SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cstdio>

namespace {

// Writes hold the lock for milliseconds.  A writer killed while taking the lock can leave
// a lock file without its owner's process id, which only its age can show to be stale.
constexpr int StaleLockMs = 1000;
constexpr int LockWaitMs = 3000;

// A document that stands for a file too large or too broken to keep line by line.
Registry::Document unreadableDocument() {
    return Registry::Document::parse(std::string(1, '\0'));
}

} // namespace

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

QString SettingsFile::defaultPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) { // relative paths are not allowed
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/tintor/settings.reg");
}

std::optional<Registry::Document> SettingsFile::load() const {
    const QFileInfo info(m_path);
    if (!info.exists()) {
        return Registry::Document{};
    }
    QFile file(m_path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    if (file.size() > MaxSize) {
        return unreadableDocument();
    }
    const QByteArray bytes = file.readAll();
    return Registry::Document::parse(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool SettingsFile::save(const Registry::Document& document, bool keepOriginal) {
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }
    if (!keepOriginal && info.exists()) {
        // Never destroy what we could not read: keep it beside the repaired file.
        QString aside = m_path + QStringLiteral(".unreadable");
        for (int n = 2; QFileInfo::exists(aside); ++n) {
            aside = m_path + QStringLiteral(".unreadable-%1").arg(n);
        }
        if (!QFile::copy(m_path, aside)) {
            return false;
        }
        std::fprintf(stderr,
                     "tintor: the settings file %s could not be read; kept it as %s and wrote a "
                     "repaired one\n",
                     qPrintable(m_path), qPrintable(aside));
    }
    const std::string text = document.text();
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.write(text.data(), static_cast<qint64>(text.size()));
    return file.commit();
}

bool SettingsFile::CreateKey(std::string_view path) {
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()) || !lock.tryLock(LockWaitMs)) {
        return false;
    }
    std::optional<Registry::Document> document = load();
    if (!document) {
        return false;
    }
    if (document->hasKey(path)) {
        return true;
    }
    const bool recognisable = document->recognisable();
    Registry::Document repaired = recognisable ? std::move(*document) : document->readablePart();
    repaired.addKey(path);
    return save(repaired, recognisable);
}

bool SettingsFile::OpenKey(std::string_view path) {
    const std::optional<Registry::Document> document = load();
    return document && document->hasKey(path);
}

std::uint32_t SettingsFile::ReadDword(std::string_view path, std::string_view name) {
    const std::optional<Registry::Document> document = load();
    if (!document) {
        throw SettingsError(FailedToGetData(name));
    }
    const Registry::DwordRead read = document->readDword(path, name);
    switch (read.status) {
    case Registry::ReadStatus::Ok:
        return read.value;
    case Registry::ReadStatus::WrongType:
        throw SettingsError(InvalidDataType(name));
    default:
        throw SettingsError(FailedToGetData(name));
    }
}

void SettingsFile::WriteDword(std::string_view path, std::string_view name, std::uint32_t value) {
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        throw SettingsError(FailedToSetData(name));
    }
    std::optional<Registry::Document> document = load();
    // Like a registry handle, the write needs its key to be there.
    if (!document || !document->hasKey(path)) {
        throw SettingsError(FailedToSetData(name));
    }
    const bool recognisable = document->recognisable();
    Registry::Document changed = recognisable ? std::move(*document) : document->readablePart();
    changed.setDword(path, name, value);
    if (!save(changed, recognisable)) {
        throw SettingsError(FailedToSetData(name));
    }
}
