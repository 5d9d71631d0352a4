#include "SettingsFiles.h"

#include "FileDescriptor.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace SettingsFiles {

namespace {

const QString TemporaryInfix = QStringLiteral(".tmp-");

QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR) {
            return false;
        }
        done += n > 0 ? n : 0;
    }
    return true;
}

// A write holds its temporary for well under a second.
constexpr qint64 TemporaryLifeSeconds = 60;

// A temporary of replaceAtomically() whose writer has ended: the process id in its name
// no longer exists, or the file is too old to be in the middle of a write (the id may
// have been given to another process since, or belong to another pid namespace).
bool isAbandonedTemporary(const QString& path, QStringView pid) {
    struct stat entry {};
    if (::lstat(native(path).constData(), &entry) != 0 || !S_ISREG(entry.st_mode) ||
        entry.st_uid != ::geteuid()) {
        return false;
    }
    if (::time(nullptr) - entry.st_mtime > TemporaryLifeSeconds) {
        return true;
    }
    bool number = false;
    const int writer = pid.toInt(&number);
    return number && writer > 0 && ::kill(writer, 0) != 0 && errno == ESRCH;
}

} // namespace

Result<void> writable(const QString& path, const QString& name) {
    if (::faccessat(AT_FDCWD, native(path).constData(), W_OK, AT_EACCESS) == 0) {
        return {};
    }
    const int error = errno;
    return Failure{error == EACCES ? name + QStringLiteral(" is read-only") : errnoText(error)};
}

Result<bool> replaceAtomically(const QString& destination, const QByteArray& bytes,
                               QFileDevice::Permissions permissions,
                               const std::function<bool()>& unchanged) {
    QTemporaryFile temporary(destination + TemporaryInfix + QString::number(::getpid()) +
                             QStringLiteral("-XXXXXX"));
    if (!temporary.open()) {
        const QString folder = QFileInfo(destination).absolutePath();
        return Failure{QStringLiteral("cannot create a file in %1: %2")
                           .arg(displayPath(folder), temporary.errorString().toLower())};
    }
    if (!writeAll(int(temporary.handle()), bytes) || ::fsync(temporary.handle()) != 0) {
        return Failure{errnoText(errno)};
    }
    temporary.setPermissions(permissions);
    if (!unchanged()) {
        return false;
    }
    if (::rename(native(temporary.fileName()).constData(), native(destination).constData()) != 0) {
        return Failure{errnoText(errno)};
    }
    temporary.setAutoRemove(false); // it has become the destination
    return true;
}

void removeStaleTemporaries(const QString& destination) {
    const QFileInfo info(destination);
    const QDir folder = info.absoluteDir();
    const QString prefix = info.fileName() + TemporaryInfix;
    // The writer's process id, then QTemporaryFile's six letters.
    static const QRegularExpression ours(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{1,10})-[A-Za-z0-9]{6}")));
    for (const QString& name : folder.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
        const QRegularExpressionMatch match = name.startsWith(prefix)
                                                  ? ours.match(name.mid(prefix.size()))
                                                  : QRegularExpressionMatch();
        if (match.hasMatch() &&
            isAbandonedTemporary(folder.filePath(name), match.capturedView(1))) {
            ::unlink(native(folder.filePath(name)).constData());
        }
    }
}

Result<QString> keepCopy(const QString& path, const QByteArray& bytes) {
    constexpr int MaxCopies = 100;
    for (int n = 1; n <= MaxCopies; ++n) {
        QString copy = path + QStringLiteral(".unreadable");
        if (n > 1) {
            copy += QLatin1Char('-') + QString::number(n);
        }
        // Exclusive creation: never overwrites an earlier copy, never follows a link.
        const FileDescriptor fd(::open(native(copy).constData(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (fd.get() < 0) {
            if (errno != EEXIST) {
                return Failure{errnoText(errno)};
            }
            const Result<QByteArray> earlier =
                readRegularFile(native(copy), bytes.size(), LinkRule::Follow);
            if (earlier && *earlier == bytes) {
                return copy;
            }
            continue;
        }
        if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) {
            const int error = errno;
            ::unlink(native(copy).constData());
            return Failure{errnoText(error)};
        }
        return copy;
    }
    return Failure{QStringLiteral("%1 earlier copies are in the way").arg(MaxCopies)};
}

QString homeDirectory() {
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty()) {
        return home;
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(std::size_t(size > 0 ? size : 16384));
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    return QFile::decodeName(found->pw_dir);
}

QString displayPath(const QString& path) {
    const QString home = homeDirectory();
    if (home.size() > 1 && path.startsWith(home + QLatin1Char('/'))) {
        return QLatin1Char('~') + path.mid(home.size());
    }
    return path;
}

} // namespace SettingsFiles
