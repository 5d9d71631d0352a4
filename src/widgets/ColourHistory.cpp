#include "ColourHistory.h"

#include "RecentColoursMenu.h"
#include "SettingsStore.h"

ColourHistory::ColourHistory(SettingsStore& settings, RecentColoursMenu& menu, QObject* parent)
    : QObject(parent), m_settings(settings), m_menu(menu),
      m_colours(RecentColours::fromStored(settings.value(Settings::RecentColours))) {
    m_menu.setColours(m_colours.colours());
    connect(&m_menu, &RecentColoursMenu::cleared, this, &ColourHistory::clear);
}

void ColourHistory::keep(Rgb colour) {
    m_colours.add(colour);
    store();
}

void ColourHistory::clear() {
    m_colours.clear();
    store();
}

void ColourHistory::store() {
    m_menu.setColours(m_colours.colours());
    // The store says on the log why a write fails; the list is still there to choose from.
    (void)m_settings.write(Settings::RecentColours, m_colours.toStored());
}
