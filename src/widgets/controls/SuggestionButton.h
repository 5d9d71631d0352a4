#pragma once

#include "Rgb.h"

#include <QAbstractButton>

// A colour offered to take: a swatch of it with an arrow that says which way its lightness
// went (up for lighter), taken with a click or, with the focus on it, Space.
class SuggestionButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit SuggestionButton(QWidget* parent = nullptr);

    [[nodiscard]] Rgb colour() const { return m_colour; }
    void setColour(Rgb colour);
    void setUpwards(bool upwards) { m_upwards = upwards; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Rgb m_colour;
    bool m_upwards = true;
};
