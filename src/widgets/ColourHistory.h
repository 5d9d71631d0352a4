#pragma once

#include "RecentColours.h"

#include <QObject>

class RecentColoursMenu;
class SettingsStore;

// The recent colours of the settings file, read once at start-up and stored whole whenever
// they change; the menu shows them.  A list that cannot be stored holds for this session.
class ColourHistory : public QObject {
    Q_OBJECT
public:
    ColourHistory(SettingsStore& settings, RecentColoursMenu& menu, QObject* parent);

    // A colour picked, pasted, dropped or chosen from the list: to the top.
    void keep(Rgb colour);
    void clear();

private:
    void store();

    SettingsStore& m_settings;
    RecentColoursMenu& m_menu;
    RecentColours m_colours;
};
