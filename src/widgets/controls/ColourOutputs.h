#pragma once

#include "Rgb.h"

#include <QObject>

class ColourCopy;
class QLineEdit;
class QWidget;

// The two hexadecimal outputs, the colour and its web-safe neighbour as "$RRGGBB": text on
// the window's own background, like labels, that can still be selected and copied.
class ColourOutputs : public QObject {
    Q_OBJECT
public:
    ColourOutputs(QWidget& window, QLineEdit* rgb, QLineEdit* web);

    void show(Rgb colour);

private:
    QLineEdit* m_rgb;
    QLineEdit* m_web;
    ColourCopy* m_copy;
};
