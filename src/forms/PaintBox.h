#pragma once

#include "core/ColourRef.h"

#include <QWidget>

class QPainter;

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

signals:
    void painting(QPainter& painter); // OnPaint
    void doubleClicked();             // OnDblClick
    void redrawRequested();           // the program asked for a fresh drawing

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ColourRef m_fillColour = 0;
};

// The toolkit colour of a ColourRef.
QColor toQColor(ColourRef colour);
