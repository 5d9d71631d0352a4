#pragma once

#include <QObject>

class ContrastView;
class QAction;
class QWidget;
class SettingsStore;

// The contrast view on or off: Alt+C in the window and an entry of its context menus,
// kept in the settings across restarts.  On, the view lies below the window's own layout,
// which grows to hold it; off, the window is as it always was.
class ContrastChoice : public QObject {
    Q_OBJECT
public:
    ContrastChoice(SettingsStore& settings, QWidget& window, ContrastView& view);

    [[nodiscard]] bool isOn() const;
    // Checkable, with its shortcut: for the context menus.
    [[nodiscard]] QAction* action() const { return m_action; }

private:
    void show(bool on);
    void choose(bool on);

    SettingsStore& m_settings;
    QWidget& m_window;
    ContrastView& m_view;
    QAction* m_action;
};
