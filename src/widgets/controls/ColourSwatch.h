#pragma once

#include "Rgb.h"

#include <QWidget>

// A box filled with one colour.
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    [[nodiscard]] Rgb colour() const { return m_colour; }
    void setColour(Rgb colour);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Rgb m_colour;
};
