#include "Setting.h"

#include "RecentColours.h"

#include <QJsonArray>
#include <QJsonDocument>

bool Setting::accepts(const QJsonValue& value) const {
    switch (kind) {
    case Kind::WholeNumber: {
        const qint64 number = value.isDouble() ? value.toInteger(-1) : -1;
        return number >= 0 && number <= maximum;
    }
    case Kind::YesNo:
        return value.isBool();
    case Kind::Text:
        return value.isString();
    case Kind::ColourList:
        return RecentColours::holdsColours(value);
    }
    return false;
}

QJsonValue Setting::fallbackValue() const {
    return QJsonDocument::fromJson(QByteArray("[") + fallback + ']').array().at(0);
}
