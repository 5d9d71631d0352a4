#pragma once

#include <QList>
#include <QObject>
#include <QRect>

class QWidget;

// Places a main window on the primary screen, clear of other windows: centred at once,
// and again with its frame once the window manager has framed it, unless it was moved
// meanwhile.  Says when the window is on the screen, so that what can wait for it waits.
class FramedPlacement : public QObject {
    Q_OBJECT
public:
    explicit FramedPlacement(QWidget& window);

    // Clear of these windows' client areas (device pixels), as far as the screen allows,
    // now and once the window is framed.
    void keepClearOf(const QList<QRect>& windows);

signals:
    // The window was exposed: on the screen, now or again.
    void exposed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    QList<QRect> m_clearOf; // logical pixels
    // Until the window manager's frame is known and the window centred with it.
    bool m_awaitingFrame = true;
};
