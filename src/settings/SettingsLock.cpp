#include "SettingsLock.h"

#include "RegularFile.h"
#include "SettingsFiles.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace SettingsFiles;

namespace {

// Writes hold the lock for milliseconds.  Stale means its owner is gone: QLockFile checks
// the owner's process id, and the owner's flock keeps a live writer's lock from removal
// however long it takes.  Qt's default age limit only frees a lock file left empty by a
// writer killed while creating it.
constexpr int LockWaitMs = 3000;
// QLockFile's own wait doubles its pause up to 1.6 s: it would seldom catch the moment
// between two writes of another busy writer.
constexpr int LockPollMs = 5;

// A lock whose owner has gone.  QLockFile judges that by the process id it recorded, which
// fails twice: a writer killed before recording it leaves a lock without an owner, which Qt
// frees only by its age, and a recorded id that a process of another user has taken over
// since looks alive.  The owner's flock answers instead: when nobody holds it, nobody owns
// the lock.  The second of grace covers a writer that has created the file but not yet
// taken its flock.
bool removeAbandonedLock(QLockFile& lock) {
    const QDateTime created = QFileInfo(lock.fileName()).lastModified();
    return created.msecsTo(QDateTime::currentDateTime()) > 1000 && lock.removeStaleLockFile();
}

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("a directory");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("a FIFO");
    }
    return S_ISLNK(mode) ? QStringLiteral("a link") : QStringLiteral("a special file");
}

// What is at a lock's path already, if anything, is a lock file QLockFile can handle.
// True when there is one.
Result<bool> usableLockPath(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat entry {};
    if (::lstat(native.constData(), &entry) != 0) {
        return errno == ENOENT ? Result<bool>(false)
                               : Failure{QStringLiteral(": ") + errnoText(errno)};
    }
    if (!S_ISREG(entry.st_mode)) {
        return Failure{QStringLiteral(" is %1, not a regular file").arg(kindOf(entry.st_mode))};
    }
    // Another writer may have released it since.
    if (::faccessat(AT_FDCWD, native.constData(), R_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        return Failure{QStringLiteral(" cannot be read: %1").arg(errnoText(errno))};
    }
    return true;
}

// To break a stale lock QLockFile takes `<lock>.rmlock`, and to break that when it is
// stale too, its own `.rmlock`: every one of them that it may open must be usable.
Result<void> usableLockPaths(const QString& lock) {
    for (QString path = lock;; path += QStringLiteral(".rmlock")) {
        const Result<bool> there = usableLockPath(path);
        if (!there) {
            return Failure{
                QStringLiteral("its lock file %1%2").arg(displayPath(path), there.error())};
        }
        if (!*there) {
            return {};
        }
    }
}

// Why the lock could not be had.
Result<void> heldLock(const QLockFile& lock, const QString& where) {
    qint64 owner = 0;
    if (lock.error() != QLockFile::LockFailedError) {
        return Failure{QStringLiteral("cannot create its lock file %1").arg(where)};
    }
    if (lock.getLockInfo(&owner, nullptr, nullptr)) {
        return Failure{QStringLiteral("another process (%1) has been writing it for over %2 s")
                           .arg(owner)
                           .arg(LockWaitMs / 1000)};
    }
    return Failure{QStringLiteral("its lock file %1 is held").arg(where)};
}

} // namespace

Result<void> takeSettingsLock(QLockFile& lock) {
    if (const Result<void> usable = usableLockPaths(lock.fileName()); !usable) {
        return usable;
    }
    const QString where = displayPath(lock.fileName());
    const QDeadlineTimer deadline(LockWaitMs);
    while (!lock.tryLock(0) && !(lock.error() == QLockFile::LockFailedError &&
                                 removeAbandonedLock(lock) && lock.tryLock(0))) {
        if (deadline.hasExpired()) {
            return heldLock(lock, where);
        }
        QThread::msleep(LockPollMs);
    }
    // A writer killed while it broke a stale lock leaves QLockFile's .rmlock behind.  With
    // the lock ours no one is breaking it: one nobody holds goes too, however young, and one
    // a breaker still holds stays with its flock.
    for (QString path = lock.fileName() + QStringLiteral(".rmlock"); QFileInfo(path).isFile();
         path += QStringLiteral(".rmlock")) {
        QLockFile(path).removeStaleLockFile();
    }
    return {};
}
