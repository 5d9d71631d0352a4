#include "ColourPickerPortal.h"

#include "PortalLog.h"

#include <QDBusArgument>

#include <algorithm>
#include <cmath>

ColourPickerPortal::ColourPickerPortal(QObject* parent)
    : ColourPickerPortal(QDBusConnection::sessionBus(), parent) {}

ColourPickerPortal::ColourPickerPortal(const QDBusConnection& bus, QObject* parent)
    : PortalClient(bus, parent) {}

int ColourPickerPortal::toChannel(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

void ColourPickerPortal::request() {
    startRequest(QStringLiteral("org.freedesktop.portal.Screenshot"), QStringLiteral("PickColor"),
                 {});
}

void ColourPickerPortal::handleResults(const QVariantMap& results) {
    const Result<QColor> colour = colourOf(results);
    if (!colour) {
        qCWarning(lcPortal) << "the colour picker's answer is unusable:" << colour.error();
        emit failed(DesktopCapture::Refusal::Failed);
        return;
    }
    emit colourPicked(*colour);
}

Result<QColor> ColourPickerPortal::colourOf(const QVariantMap& results) {
    const QVariant colour = results.value(QStringLiteral("color"));
    if (!colour.canConvert<QDBusArgument>()) {
        return Failure{QStringLiteral("the answer has no colour")};
    }
    const auto argument = colour.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(ddd)")) {
        return Failure{QStringLiteral("a colour of type ") + argument.currentSignature()};
    }
    double red = 0;
    double green = 0;
    double blue = 0;
    argument.beginStructure();
    argument >> red >> green >> blue;
    argument.endStructure();
    return QColor(toChannel(red), toChannel(green), toChannel(blue));
}
