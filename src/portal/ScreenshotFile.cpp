#include "ScreenshotFile.h"

#include "FileDescriptor.h"
#include "PortalLog.h"
#include "RegularFile.h"

#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace {

using Stamp = ScreenshotFile::Stamp;

Stamp stampOf(const statx_timestamp& time) {
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
}

// No file is bigger than the picture Qt would agree to decode from it.
qint64 sizeLimit() {
    const qint64 megabytes = QImageReader::allocationLimit();
    return (megabytes > 0 ? megabytes : 256) * 1024 * 1024;
}

// The file a file: address names, as the file system's bytes: a name need not be UTF-8,
// and decoded as text it would lead to another file.  Only an absolute path on this host.
Result<QByteArray> localPath(const QUrl& uri) {
    const QByteArray path =
        QByteArray::fromPercentEncoding(uri.path(QUrl::FullyEncoded).toLatin1());
    if (!uri.isLocalFile() || (!uri.host().isEmpty() && uri.host() != u"localhost") ||
        !path.startsWith('/') || path.contains('\0')) {
        return Failure{QStringLiteral("the screenshot is not a local file: ") + uri.toString()};
    }
    return path;
}

// Created and last changed after the request: the portal wrote it for this request.  The
// change time cannot be set back by anyone, and the birth time, where the file system
// keeps one, says the file did not exist before.
bool writtenSince(const struct statx& file, Stamp asked) {
    const bool born = (file.stx_mask & STATX_BTIME) == 0 || stampOf(file.stx_btime) > asked;
    return born && stampOf(file.stx_mtime) > asked && stampOf(file.stx_ctime) > asked;
}

bool isOwnFile(const struct statx& file, Stamp asked) {
    return S_ISREG(file.stx_mode) && file.stx_uid == geteuid() && file.stx_nlink == 1 &&
           writtenSince(file, asked);
}

bool isSameFile(int folder, const QByteArray& name, const struct statx& read) {
    struct statx now {};
    return statx(folder, name.constData(), AT_SYMLINK_NOFOLLOW, STATX_INO, &now) == 0 &&
           now.stx_ino == read.stx_ino && now.stx_dev_major == read.stx_dev_major &&
           now.stx_dev_minor == read.stx_dev_minor;
}

// A rename that never replaces a file, where the file system can promise that.
bool moveName(int folder, const QByteArray& from, const QByteArray& to) {
    if (renameat2(folder, from.constData(), folder, to.constData(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    return errno == EINVAL && renameat(folder, from.constData(), folder, to.constData()) == 0;
}

// Removes `path` if it still names the file that was read.  No call removes a name only
// while it names a given file, so the file is first moved to a name of Tintor's own in
// the same folder, checked there, and only then removed; a file that came to the path
// since the read is put back.
void removeIfSame(const QByteArray& path, const struct statx& read) {
    const qsizetype slash = path.lastIndexOf('/');
    const FileDescriptor folder(
        ::open(path.left(slash + 1).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    const QByteArray name = path.mid(slash + 1);
    const QByteArray aside =
        ".tintor-removing-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    if (folder.get() < 0 || !isSameFile(folder.get(), name, read)) {
        qCWarning(lcPortal) << "the screenshot" << path << "changed while read; left alone";
        return;
    }
    if (!moveName(folder.get(), name, aside)) {
        const QString why = errnoText(errno);
        qCWarning(lcPortal) << "cannot remove the screenshot" << path << why;
        return;
    }
    if (!isSameFile(folder.get(), aside, read)) {
        if (!moveName(folder.get(), aside, name)) {
            qCWarning(lcPortal) << "a file that came to" << path << "is left as" << aside;
        }
        qCWarning(lcPortal) << "the screenshot" << path << "changed while read; left alone";
        return;
    }
    if (::unlinkat(folder.get(), aside.constData(), 0) != 0) {
        const QString why = errnoText(errno);
        qCWarning(lcPortal) << "cannot remove the screenshot" << path << why;
    }
}

} // namespace

Stamp ScreenshotFile::now() {
    // The coarse clock is the one file times are taken from: a file written after this
    // moment never carries an earlier time.
    timespec time{};
    clock_gettime(CLOCK_REALTIME_COARSE, &time);
    return std::chrono::seconds(time.tv_sec) + std::chrono::nanoseconds(time.tv_nsec);
}

Result<QImage> ScreenshotFile::take(const QUrl& uri, Stamp asked) {
    const Result<QByteArray> path = localPath(uri);
    if (!path) {
        return Failure{path.error()};
    }
    struct statx info {};
    const Result<QByteArray> data = readRegularFile(*path, sizeLimit(), LinkRule::Refuse, &info);
    if (!data) {
        return Failure{QStringLiteral("cannot read the screenshot %1: %2")
                           .arg(QFile::decodeName(*path), data.error())};
    }
    QImage image = QImage::fromData(*data);
    if (image.isNull()) {
        return Failure{
            QStringLiteral("the screenshot %1 is not an image").arg(QFile::decodeName(*path))};
    }
    if (isOwnFile(info, asked)) {
        removeIfSame(*path, info);
    } else {
        qCDebug(lcPortal) << "leaving" << *path << "alone: not a file written for this request";
    }
    return image;
}
