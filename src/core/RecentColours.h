#pragma once

#include "Rgb.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QList>

// The colours kept lately, newest first, at most MaxCount of them and no two alike.  Kept
// in the settings file as an array of "#RRGGBB" texts.
class RecentColours {
public:
    static constexpr qsizetype MaxCount = 16;

    RecentColours() = default;
    // The list `stored` holds; none when it is anything but an array of "#RRGGBB" texts.
    static RecentColours fromStored(const QJsonValue& stored);
    // Whether `stored` is such an array.
    static bool holdsColours(const QJsonValue& stored);
    [[nodiscard]] QJsonArray toStored() const;

    [[nodiscard]] const QList<Rgb>& colours() const { return m_colours; }
    // `colour` goes to the top; if it was there already, it moves there.
    void add(Rgb colour);
    void clear() { m_colours.clear(); }

private:
    QList<Rgb> m_colours;
};
