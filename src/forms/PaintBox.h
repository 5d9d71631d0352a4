#pragma once

#include "core/ColourRef.h"

#include <QWidget>

class QPainter;

// The window background as a system-colour value: no screen read ever returns it.
inline constexpr ColourRef ButtonFaceColour = 0x8000000Fu;

// A plain drawing surface whose content comes from its owner's paint handler.  It keeps
// the colour of its last fill, which handlers read back as the box's current colour.
class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent);

    [[nodiscard]] ColourRef fillColour() const { return m_fillColour; }

    // Fills the whole box with `colour` and remembers it as the fill colour.
    void fill(QPainter& painter, ColourRef colour);

    // Sets the fill colour and has the box drawn again from its paint handler.
    void fill(ColourRef colour);

    // Has the box drawn again from its paint handler.
    void invalidate();

    // The box's colour property: a value given to it, not used for drawing.  Giving it a
    // different value has the box drawn again; an equal value does nothing.
    [[nodiscard]] ColourRef colour() const { return m_colour; }
    void setColour(ColourRef colour);

signals:
    void painting(QPainter& painter); // OnPaint
    void doubleClicked();             // OnDblClick
    void redrawRequested();           // the program asked for a fresh drawing

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ColourRef m_fillColour = 0;
    ColourRef m_colour = ButtonFaceColour;
};

// The toolkit colour of a ColourRef.
QColor toQColor(ColourRef colour);
