#include "ScreenshotFile.h"

#include "PortalLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QStringList temporaryRoots() {
    QStringList roots;
    for (const QString& dir :
         {QDir::tempPath(), QStringLiteral("/tmp"), QStringLiteral("/var/tmp")}) {
        const QString canonical = QFileInfo(dir).canonicalFilePath();
        if (!canonical.isEmpty() && canonical != QStringLiteral("/")) {
            roots << canonical + QLatin1Char('/');
        }
    }
    return roots;
}

} // namespace

bool ScreenshotFile::isTemporary(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile()) {
        return false;
    }
    const QString canonical = info.canonicalFilePath();
    const QStringList roots = temporaryRoots();
    return std::any_of(roots.begin(), roots.end(),
                       [&](const QString& root) { return canonical.startsWith(root); });
}

Result<QImage> ScreenshotFile::take(const QUrl& uri) {
    if (!uri.isLocalFile()) {
        return Failure{QStringLiteral("the screenshot is not a local file: ") + uri.toString()};
    }
    const QString path = uri.toLocalFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return Failure{QStringLiteral("cannot read the screenshot %1: %2")
                           .arg(path, file.errorString())};
    }
    const QByteArray data = file.readAll();
    file.close();
    if (isTemporary(path)) {
        if (!QFile::remove(path)) {
            qCWarning(lcPortal) << "cannot remove the screenshot" << path;
        }
    } else {
        qCDebug(lcPortal) << "leaving the screenshot where the desktop put it:" << path;
    }
    QImage image = QImage::fromData(data);
    if (image.isNull()) {
        return Failure{QStringLiteral("the screenshot %1 is not an image").arg(path)};
    }
    return image;
}
