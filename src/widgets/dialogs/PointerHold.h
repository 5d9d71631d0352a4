#pragma once

#include <QObject>

class Platform;
class QWidget;

// Holds the pointer inside a window for its owner: taken when asked, carried along when the
// window moves, let go when the window hides or the user goes to another program, and taken
// again when the user comes back to a window that held it.
class PointerHold final : public QObject {
    Q_OBJECT
public:
    // Watches `window` for as long as both live.
    PointerHold(Platform& platform, QWidget& window);
    ~PointerHold() override;

    // Holds the pointer inside the window now.
    void hold();
    void release();

signals:
    // The windowing system has shown or uncovered the window, or the user has come back to
    // it without it holding the pointer: the owner may hold() now.
    void exposed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onApplicationStateChanged(Qt::ApplicationState state);

    Platform& m_platform;
    QWidget& m_window;
    // Whether the pointer is held now, so a move can carry the limit along.
    bool m_holding = false;
    // Whether it was held when the application lost the focus, to hold it again.
    bool m_heldWhenLeft = false;
};
