#pragma once

#include <QWidget>

// A window over one monitor that shows nothing: during a pick from the live screen it takes
// the click that ends the pick, wherever it lands, and lets the windowing system see where
// the pointer is over other programs' windows.
class CastPickOverlay : public QWidget {
    Q_OBJECT
public:
    explicit CastPickOverlay(const QRect& geometry);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
