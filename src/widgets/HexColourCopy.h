#pragma once

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
    // Each field shows a colour as "$RRGGBB"; `current`, the first, the current colour.
    HexColourCopy(QWidget& window, QLineEdit* current, QLineEdit* other);

private:
    static void copy(const QLineEdit* field);
    static void showMenu(QLineEdit* field, QPoint position);
};
