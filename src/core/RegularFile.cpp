#include "RegularFile.h"

#include "FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>

namespace {

// At most `limit` + 1 bytes: one more than a file may have says that it has more.
Result<QByteArray> readUpTo(int fd, qint64 limit, qint64 expected) {
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(expected, limit) + 1));
    char chunk[1 << 16];
    while (bytes.size() <= limit) {
        const auto wanted = std::size_t(std::min<qint64>(sizeof chunk, limit + 1 - bytes.size()));
        const ssize_t n = ::read(fd, chunk, wanted);
        if (n < 0 && errno != EINTR) {
            return Failure{errnoText(errno)};
        }
        if (n == 0) {
            break;
        }
        bytes.append(chunk, n > 0 ? n : 0);
    }
    return bytes;
}

} // namespace

Result<QByteArray> readRegularFile(const QByteArray& path, qint64 maxSize, LinkRule links,
                                   struct statx* opened) {
    const int noFollow = links == LinkRule::Refuse ? O_NOFOLLOW : 0;
    const FileDescriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | noFollow));
    struct statx info {};
    if (fd.get() < 0 ||
        ::statx(fd.get(), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        return Failure{errnoText(errno)};
    }
    if (S_ISDIR(info.stx_mode)) {
        return Failure{QStringLiteral("it is a directory")};
    }
    if (!S_ISREG(info.stx_mode)) {
        return Failure{QStringLiteral("it is not a regular file")};
    }
    if (qint64(info.stx_size) > maxSize) {
        return Failure{QStringLiteral("it is too large: %1 bytes, of at most %2")
                           .arg(info.stx_size)
                           .arg(maxSize)};
    }
    Result<QByteArray> bytes = readUpTo(fd.get(), maxSize, qint64(info.stx_size));
    if (bytes && bytes->size() > maxSize) {
        return Failure{QStringLiteral("it grew past %1 bytes while read").arg(maxSize)};
    }
    if (opened != nullptr) {
        *opened = info;
    }
    return bytes;
}

QString errnoText(int error) {
    QString text = QString::fromLocal8Bit(std::strerror(error));
    if (!text.isEmpty()) {
        text[0] = text[0].toLower();
    }
    return text;
}
