#include "ScreenshotPortal.h"

#include "ScreenshotFile.h"

#include <QUrl>

ScreenshotPortal::ScreenshotPortal(QObject* parent)
    : ScreenshotPortal(QDBusConnection::sessionBus(), parent) {}

ScreenshotPortal::ScreenshotPortal(const QDBusConnection& bus, QObject* parent)
    : PortalClient(bus, parent) {}

void ScreenshotPortal::request() {
    startRequest(QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"),
                 {{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), false}});
}

void ScreenshotPortal::handleResults(const QVariantMap& results) {
    const QString uri = results.value(QStringLiteral("uri")).toString();
    if (uri.isEmpty()) {
        emit failed(PortalRequest::Error::BadAnswer, QStringLiteral("the answer has no uri"));
        return;
    }
    const Result<QImage> image = ScreenshotFile::take(QUrl(uri));
    if (!image) {
        emit failed(PortalRequest::Error::BadAnswer, image.error());
        return;
    }
    emit imageReady(image.value());
}
