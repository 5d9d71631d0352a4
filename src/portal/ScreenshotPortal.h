#pragma once

#include "PortalClient.h"
#include "ScreenshotFile.h"

#include <QImage>

// Asks the desktop for a picture of the whole screen, without asking the user where
// the desktop lets it (interactive false).  The picture comes in device pixels.
class ScreenshotPortal : public PortalClient {
    Q_OBJECT
public:
    explicit ScreenshotPortal(QObject* parent = nullptr);
    explicit ScreenshotPortal(const QDBusConnection& bus, QObject* parent = nullptr);

public slots:
    // Replaces a request still pending.  Ends in imageReady() or failed().
    void request();

signals:
    void imageReady(const QImage& image);

protected:
    void handleResults(const QVariantMap& results) override;

private:
    ScreenshotFile::Stamp m_asked{};
};
