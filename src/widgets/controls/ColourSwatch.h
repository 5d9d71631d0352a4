#pragma once

#include "Rgb.h"

#include <QPoint>
#include <QWidget>

#include <optional>

// A box filled with one colour.  A draggable swatch carries its colour away as Qt's and
// KDE's colour buttons do: as Qt's colour data and as the text "#RRGGBB".  A naming swatch's
// tooltip adds the nearest CSS named colour to its own text: "tomato" or "near tomato".
class ColourSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    [[nodiscard]] Rgb colour() const { return m_colour; }
    void setColour(Rgb colour);

    void setDraggable(bool draggable) { m_draggable = draggable; }
    // From now on, under the tooltip it has.
    void nameColours();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void dragColour();
    void showName();

    Rgb m_colour;
    bool m_draggable = false;
    bool m_naming = false;
    QString m_caption; // the tooltip's own text, above the name
    // Where the left button went down, until it is let go or a drag starts.
    std::optional<QPoint> m_pressedAt;
};
