#pragma once

#include <QImage>
#include <QWidget>

// A part of a frozen screenshot, shown over everything at its place on the screen.
class FrozenScreenOverlay : public QWidget {
    Q_OBJECT
public:
    // `part` is what the screen showed at `geometry`, at any scale: it is drawn over it.
    FrozenScreenOverlay(const QImage& part, const QRect& geometry);

signals:
    void pressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_part;
};
