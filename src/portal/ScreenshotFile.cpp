#include "ScreenshotFile.h"

#include "PortalLog.h"

#include <QFile>
#include <QImageReader>

#include <fcntl.h>
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

// Removes `path` if it still names the file that was read, not one put there since.
void removeIfSame(const QString& path, const struct statx& read) {
    struct statx now {};
    if (statx(AT_FDCWD, QFile::encodeName(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_INO,
              &now) != 0 ||
        now.stx_ino != read.stx_ino || now.stx_dev_major != read.stx_dev_major ||
        now.stx_dev_minor != read.stx_dev_minor) {
        qCWarning(lcPortal) << "the screenshot" << path << "changed while read; left alone";
        return;
    }
    if (::unlink(QFile::encodeName(path).constData()) != 0) {
        qCWarning(lcPortal) << "cannot remove the screenshot" << path << qt_error_string(errno);
    }
}

// The whole of a regular file no larger than the limit; without blocking, whatever the
// file is (a FIFO with no writer, a device that never ends).
Result<QByteArray> readRegularFile(QFile& file, const struct statx& info) {
    if (!S_ISREG(info.stx_mode)) {
        return Failure{QStringLiteral("it is not a regular file")};
    }
    const qint64 limit = sizeLimit();
    if (qint64(info.stx_size) > limit) {
        return Failure{QStringLiteral("it is larger than %1 bytes").arg(limit)};
    }
    // It may grow while read: never more than the limit.
    QByteArray data = file.read(limit + 1);
    if (data.size() > limit) {
        return Failure{QStringLiteral("it is larger than %1 bytes").arg(limit)};
    }
    return data;
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
    if (!uri.isLocalFile()) {
        return Failure{QStringLiteral("the screenshot is not a local file: ") + uri.toString()};
    }
    const QString path = uri.toLocalFile();
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    QFile file;
    struct statx info {};
    if (descriptor < 0 || !file.open(descriptor, QIODevice::ReadOnly, QFile::AutoCloseHandle) ||
        statx(descriptor, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        const QString reason = qt_error_string(errno);
        if (descriptor >= 0 && !file.isOpen()) {
            ::close(descriptor);
        }
        return Failure{QStringLiteral("cannot read the screenshot %1: %2").arg(path, reason)};
    }
    const Result<QByteArray> data = readRegularFile(file, info);
    if (!data) {
        return Failure{QStringLiteral("cannot read the screenshot %1: %2").arg(path, data.error())};
    }
    QImage image = QImage::fromData(*data);
    if (image.isNull()) {
        return Failure{QStringLiteral("the screenshot %1 is not an image").arg(path)};
    }
    if (isOwnFile(info, asked)) {
        removeIfSame(path, info);
    } else {
        qCDebug(lcPortal) << "leaving" << path << "alone: not a file written for this request";
    }
    return image;
}
