#pragma once

#include <QWidget>

class QToolButton;

// A pair of vertical arrow buttons that keep a position within 0..255 and have no buddy
// control.  The upper arrow adds one.  At a limit a click neither moves nor notifies.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    enum class Button { Up, Down };

    explicit TUpDown(QWidget* parent);

    [[nodiscard]] int position() const { return m_position; }
    // Sets the position as the program does: clamped, without a click notice.
    void setPosition(int position);

    [[nodiscard]] int minimum() const { return 0; }
    [[nodiscard]] int maximum() const { return 255; }

    // One step as a click on `button` makes it.
    void click(Button button);

    [[nodiscard]] QToolButton* arrow(Button button) const;

signals:
    void clicked(TUpDown::Button button); // OnClick, after the position has moved

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_position = 0;
    QToolButton* m_up;
    QToolButton* m_down;
};
