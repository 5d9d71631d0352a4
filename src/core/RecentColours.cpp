#include "RecentColours.h"

#include "ColourMaths.h"
#include "CssColourReader.h"

#include <algorithm>

namespace {

// Strictly "#" and six hexadecimal digits: the stored form, not any colour text.
std::optional<Rgb> storedColour(const QJsonValue& entry) {
    const QString text = entry.toString();
    const std::optional<ReadColour> read =
        text.size() == 7 && text.startsWith(u'#') ? readCssColour(text) : std::nullopt;
    return read ? std::optional(read->colour) : std::nullopt;
}

} // namespace

bool RecentColours::holdsColours(const QJsonValue& stored) {
    if (!stored.isArray()) {
        return false;
    }
    const QJsonArray entries = stored.toArray();
    return std::all_of(entries.begin(), entries.end(),
                       [](const QJsonValue& entry) { return storedColour(entry).has_value(); });
}

RecentColours RecentColours::fromStored(const QJsonValue& stored) {
    RecentColours recent;
    if (holdsColours(stored)) {
        const QJsonArray entries = stored.toArray();
        // Oldest first, so that the first entry ends on top.
        for (qsizetype i = entries.size() - 1; i >= 0; --i) {
            recent.add(*storedColour(entries.at(i)));
        }
    }
    return recent;
}

QJsonArray RecentColours::toStored() const {
    QJsonArray entries;
    for (const Rgb colour : m_colours) {
        entries.append(webColourText(colour));
    }
    return entries;
}

void RecentColours::add(Rgb colour) {
    m_colours.removeOne(colour);
    m_colours.prepend(colour);
    if (m_colours.size() > MaxCount) {
        m_colours.resize(MaxCount);
    }
}
