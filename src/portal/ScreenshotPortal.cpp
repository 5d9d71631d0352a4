#include "ScreenshotPortal.h"

#include "PortalLog.h"

#include <QUrl>

ScreenshotPortal::ScreenshotPortal(QObject* parent)
    : ScreenshotPortal(QDBusConnection::sessionBus(), parent) {}

ScreenshotPortal::ScreenshotPortal(const QDBusConnection& bus, QObject* parent)
    : PortalClient(bus, parent) {}

void ScreenshotPortal::request() {
    m_asked = ScreenshotFile::now();
    startRequest(QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("Screenshot"),
                 {{QStringLiteral("interactive"), false}, {QStringLiteral("modal"), false}});
}

void ScreenshotPortal::handleResults(const QVariantMap& results) {
    const QString uri = results.value(QStringLiteral("uri")).toString();
    const Result<QImage> image = uri.isEmpty() ? Failure{QStringLiteral("the answer has no uri")}
                                               : ScreenshotFile::take(QUrl(uri), m_asked);
    if (!image) {
        qCWarning(lcPortal) << "no screenshot:" << image.error();
        emit failed(DesktopCapture::Refusal::Failed);
        return;
    }
    emit imageReady(*image);
}
