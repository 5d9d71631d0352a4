#pragma once

#include <QSlider>

// The channel slider: horizontal 0..255, arrow step 4, page step 16, a wheel notch one
// step, a thin channel with no selection range and a thumb of fixed length.
//
// `changed` is the slider's one change notice.  A position set by the program sends it
// only when the position really changes; the user's drags, arrow and page keys send it on
// every step, and once more when a key or the mouse is let go (twice after a thumb drag),
// even when the position stayed the same.
class ChannelSlider : public QSlider {
    Q_OBJECT
public:
    explicit ChannelSlider(QWidget* parent = nullptr);

signals:
    void changed();

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void onActionTriggered(int action);

    bool m_mouseTracking = false;
    int m_wheelAngle = 0; // what a fine-grained wheel has turned short of a whole notch
};
