#include "PortalFiles.h"

#include <QBuffer>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray png(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// At a name in the file system's own bytes, which need not be UTF-8.
bool writeAt(const QByteArray& path, const QByteArray& data) {
    QFile file;
    return file.open(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
                     QIODevice::WriteOnly, QFile::AutoCloseHandle) &&
           file.write(data) == data.size();
}

} // namespace

QImage pattern() {
    QImage image(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 36, y * 60, 255 - x * y * 5));
        }
    }
    return image;
}

bool makeFile(const QString& kind, const QByteArray& path) {
    if (kind == "fifo") {
        return mkfifo(path.constData(), 0600) == 0;
    }
    if (kind == "link") {
        return writeAt(path + ".png", png(pattern())) &&
               ::symlink((path + ".png").constData(), path.constData()) == 0;
    }
    const qint64 size = kind == "huge"        ? qint64(3) << 30
                        : kind == "limit"     ? 1 << 20
                        : kind == "overLimit" ? (1 << 20) + 1
                                              : 0;
    if (!writeAt(path, kind == "junk" ? QByteArray("no picture here") : png(pattern())) ||
        (size > 0 && ::truncate(path.constData(), size) != 0)) {
        return false;
    }
    if (kind == "twoLinks") {
        return ::link(path.constData(), (path + ".2").constData()) == 0;
    }
    return kind != "foreign" || ::chown(path.constData(), 65534, 65534) == 0;
}
