#include "RecentListing.h"

#include "RecentColours.h"
#include "SettingsStore.h"
#include "StandardStreams.h"

int printRecentColours(ColourForm form) {
    const SettingsStore settings(SettingsStore::defaultPath(), SettingsStore::Access::ReadOnly);
    const RecentColours recent = RecentColours::fromStored(settings.value(Settings::RecentColours));
    QString lines;
    for (const Rgb colour : recent.colours()) {
        lines += colourInForm(colour, form) + u'\n';
    }
    return lines.isEmpty() || writeStandardOutput(lines.toStdString()) ? 0 : 1;
}
