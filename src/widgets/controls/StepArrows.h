#pragma once

#include <QWidget>

class QToolButton;

// A pair of vertical arrow buttons that keep a position within 0..255 for a channel's
// text field.  The upper arrow, or a wheel notch up, adds one.  At a limit a step neither
// moves nor notifies.
class StepArrows : public QWidget {
    Q_OBJECT
public:
    enum class Direction { Up, Down };

    explicit StepArrows(QWidget* parent = nullptr);

    [[nodiscard]] int position() const { return m_position; }
    // Sets the position as the program does: clamped, without a notice.
    void setPosition(int position);

    static constexpr int Minimum = 0;
    static constexpr int Maximum = 255;

    // One step, as a click on the arrow makes it.
    void step(Direction direction);

    [[nodiscard]] QToolButton* arrow(Direction direction) const;

signals:
    // After the position has moved by a click.
    void stepped();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    int m_position = 0;
    int m_wheelAngle = 0; // what a fine-grained wheel has turned short of a whole notch
    QToolButton* m_up;
    QToolButton* m_down;
};
