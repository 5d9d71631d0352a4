#pragma once

#include "Rgb.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

// "Recent colours": one entry a colour, with a small swatch of it and its "#RRGGBB", and
// "Clear".  Offered in the context menu of `swatch` and, through addTo(), in other menus;
// Alt+R opens it alone over `swatch` while `window` is active, and the arrows and Return
// choose.
class RecentColoursMenu : public QObject {
    Q_OBJECT
public:
    RecentColoursMenu(QWidget& window, QWidget& swatch);

    // Offers the list in `widget`'s context menu too.
    void offerOn(QWidget& widget);

    void setColours(const QList<Rgb>& colours) { m_colours = colours; }
    // While off (during a pick), the list neither opens nor chooses.
    void setOn(bool on) { m_on = on; }
    // Adds the list to `menu` as its submenu, and after it the actions offered beside it.
    void addTo(QMenu& menu);
    // Offers `action` after the list in every context menu that holds it.
    void offerBeside(QAction* action) { m_beside << action; }

signals:
    void chosen(Rgb colour);
    void cleared();

private:
    void fill(QMenu& menu);
    void openFromKeyboard();

    QWidget& m_swatch;
    QList<Rgb> m_colours;
    QList<QAction*> m_beside;
    bool m_on = true;
};
