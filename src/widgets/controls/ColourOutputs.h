#pragma once

#include "Rgb.h"

#include <QObject>

class ColourCopy;
class QLineEdit;
class QWidget;
class RecentColoursMenu;

// The two hexadecimal outputs, the colour and its web-safe neighbour as "$RRGGBB": text on
// the window's own background, like labels, that can still be selected and copied.
class ColourOutputs : public QObject {
    Q_OBJECT
public:
    // The fields' menus offer `recent` too.
    ColourOutputs(QWidget& window, QLineEdit* rgb, QLineEdit* web, RecentColoursMenu& recent);

    void show(Rgb colour);

private:
    QLineEdit* m_rgb;
    QLineEdit* m_web;
    ColourCopy* m_copy;
};
