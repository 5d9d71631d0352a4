#include "RecentListing.h"

#include "AppLog.h"
#include "RecentColours.h"
#include "SettingsStore.h"
#include "StandardStreams.h"

int printRecentColours(ColourForm form) {
    const SettingsStore settings(SettingsStore::defaultPath(), SettingsStore::Access::ReadOnly);
    // A list that cannot be read is not an empty one.
    if (const Result<void> readable = settings.readable(); !readable) {
        qCWarning(lcApp).noquote().nospace()
            << "cannot read the recent colours in " << settings.path() << ": " << readable.error();
        return 1;
    }
    const RecentColours recent = RecentColours::fromStored(settings.value(Settings::RecentColours));
    QString lines;
    for (const Rgb colour : recent.colours()) {
        lines += colourInForm(colour, form) + u'\n';
    }
    return lines.isEmpty() || writeStandardOutput(lines.toStdString()) ? 0 : 1;
}
