#pragma once

#include "Rgb.h"

#include <QObject>
#include <QPoint>

class QLineEdit;
class QWidget;

// Copies colours as "#RRGGBB", the form other programs paste, while the fields keep showing
// "$RRGGBB": Ctrl+Shift+C anywhere in `window` copies the current colour, and the context
// menu of each field, Qt's own entries kept, copies that field's value.
class HexColourCopy : public QObject {
    Q_OBJECT
public:
    // `current` shows the current colour, `web` its web-safe neighbour.
    HexColourCopy(QWidget& window, QLineEdit* current, QLineEdit* web);

    void setColour(Rgb colour) { m_colour = colour; }

private:
    [[nodiscard]] Rgb colourOf(const QLineEdit* field) const;
    void showMenu(QLineEdit* field, QPoint position);

    QLineEdit* m_current;
    Rgb m_colour;
};
