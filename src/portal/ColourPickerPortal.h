#pragma once

#include "PortalClient.h"
#include "Result.h"

#include <QColor>

// Asks the desktop's own colour picker for one colour from the screen: the fallback where
// no screenshot may be taken.
class ColourPickerPortal : public PortalClient {
    Q_OBJECT
public:
    explicit ColourPickerPortal(QObject* parent = nullptr);
    explicit ColourPickerPortal(const QDBusConnection& bus, QObject* parent = nullptr);

    // A channel of the portal's colour (0 to 1) as 0 to 255, rounded; out of range clamps.
    static int toChannel(double value);

public slots:
    // Replaces a request still pending.  Ends in colourPicked() or failed().
    void request();

signals:
    void colourPicked(const QColor& colour);

protected:
    void handleResults(const QVariantMap& results) override;

private:
    static Result<QColor> colourOf(const QVariantMap& results);
};
