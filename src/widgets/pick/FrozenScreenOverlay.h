#pragma once

#include <QImage>
#include <QWidget>

// One monitor's part of a frozen screenshot, shown over everything on that monitor except
// the window it is told to leave uncovered.
class FrozenScreenOverlay : public QWidget {
    Q_OBJECT
public:
    // `part` is what this monitor showed, at any scale: it is drawn over `geometry`.
    FrozenScreenOverlay(const QImage& part, const QRect& geometry);

    // Leaves `window`'s frame uncovered, so it stays in sight and takes clicks above the
    // frozen picture.
    void uncover(const QRect& window);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_part;
};
