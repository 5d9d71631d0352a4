#pragma once

#include "Rgb.h"

#include <QObject>
#include <QPoint>

class QLineEdit;
class QMenu;
class QWidget;
class RecentColoursMenu;

// Copies colours in the forms other programs paste, while the fields keep showing
// "$RRGGBB": Ctrl+Shift+C anywhere in `window` copies the current colour as "#RRGGBB", and
// the context menu of each field, Qt's own entries kept, offers "Copy as" with that field's
// value written in each form ("#FF8000", "rgb(255, 128, 0)", ... "$FF8000") and its CSS name
// where it has one, and the recent colours.
class ColourCopy : public QObject {
    Q_OBJECT
public:
    // `current` shows the current colour, `web` its web-safe neighbour.
    ColourCopy(QWidget& window, QLineEdit* current, QLineEdit* web, RecentColoursMenu& recent);

    void setColour(Rgb colour) { m_colour = colour; }

private:
    [[nodiscard]] Rgb colourOf(const QLineEdit* field) const;
    void showMenu(QLineEdit* field, QPoint position);
    void addCopyAs(QMenu& menu, Rgb colour);

    QLineEdit* m_current;
    RecentColoursMenu& m_recent;
    Rgb m_colour;
};
